#include "tail_votes.h"

#include <gtest/gtest.h>

#include "pass_stopped.h"
#include "row_name.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::Grid;
using testing::render;

struct TailCase {
  Grid grid;
  const char* tailVotes;
  int thirdColumnTail;
};

std::string describe(const TailCase& c) { return testing::describe(c.grid); }

class TailVotes : public ::testing::TestWithParam<TailCase> {};

TEST_P(TailVotes, CountTheLastDigitOfEachCombination) {
  const TailCase& c = GetParam();
  HistoryGrid grid(c.grid.texts());
  PassStorage pass;
  countTailVotes(grid, pass);
  EXPECT_EQ(render(pass.tailVotes, 10), c.tailVotes);
  EXPECT_EQ(pass.thirdColumnTail, c.thirdColumnTail);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, TailVotes,
    ::testing::Values(
        // Tails 8 8 9 4 4 4 4 4: five votes make 4 hot.
        TailCase{Grid{"0", "0", "0", "0", "9", "9", "9", "27", "5", "5", "5", "15"},
                 "0 0 0 0 5 0 0 0 2 1", 4},
        // Four votes each for 0 and 1.
        TailCase{Grid{"", "", "", "", "", "", "", "", "", "1", "1", "1"}, "4 4 0 0 0 0 0 0 0 0", 1},
        // Combination 1 rounds 2.5 to 2 and 3.5 to 4.
        TailCase{Grid{"", "2.5"}, "5 0 3 0 0 0 0 0 0 0", 0},
        TailCase{Grid{"", "3.5"}, "5 0 0 0 3 0 0 0 0 0", 0},
        // Combination 5 can pass 27: 27 + 9 + 26 = 62 has tail 2.
        TailCase{Grid{"", "", "", "27", "", "", "9", "", "", "", "", "26"}, "4 0 1 0 0 0 0 0 0 3",
                 9},
        // Combination 5 sums -3 + 0 + 13 = 10: no negative tail.
        TailCase{Grid{"", "", "", "-3", "", "", "", "7", "", "", "", "13"}, "8 0 0 0 0 0 0 0 0 0",
                 0}),
    testing::NamedRow{});

TEST(TailVotes, NegativeTailIsTheSubscriptFailureBeforeAnyVote) {
  HistoryGrid grid(Grid{"", "", "", "", "-1"}.texts());
  PassStorage pass;
  try {
    countTailVotes(grid, pass);
    FAIL() << "a tail of -1 indexes outside tailVotes";
  } catch (const PassStopped& stopped) {
    EXPECT_EQ(stopped.failure(), Failure::Subscript);
  }
  EXPECT_EQ(render(pass.tailVotes, 10), "0 0 0 0 0 0 0 0 0 0");
}

}  // namespace
}  // namespace quorvel::engine
