#include "derived_values.h"

#include <gtest/gtest.h>

#include "row_name.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::Grid;

struct DerivedCase {
  Grid grid;
  int latestSumMod12, latestSumTail, diagParityA, diagParityB;
};

std::string describe(const DerivedCase& c) { return testing::describe(c.grid); }

class DerivedValues : public ::testing::TestWithParam<DerivedCase> {};

TEST_P(DerivedValues, ComeFromTheLatestSumAndTheDiagonals) {
  const DerivedCase& c = GetParam();
  HistoryGrid grid(c.grid.texts());
  PassStorage pass;
  computeDerivedValues(grid, pass);
  EXPECT_EQ(pass.latestSumMod12, c.latestSumMod12);
  EXPECT_EQ(pass.latestSumTail, c.latestSumTail);
  EXPECT_EQ(pass.diagParityA, c.diagParityA);
  EXPECT_EQ(pass.diagParityB, c.diagParityB);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, DerivedValues,
    ::testing::Values(
        DerivedCase{Grid{}, 0, 0, 0, 0}, DerivedCase{Grid{"", "", "", "27"}, 3, 7, 0, 0},
        DerivedCase{Grid{"", "", "", "12.5"}, 0, 2, 0, 0},
        DerivedCase{Grid{"", "", "", "13.5"}, 2, 4, 0, 0},
        DerivedCase{Grid{"", "", "", "-13"}, -1, -3, 0, 0},
        DerivedCase{Grid{"0.1", "", "", "", "", "2.2", "", "", "", "", "0.2"}, 0, 0, 0, 0},
        DerivedCase{Grid{"1", "", "", "", "", "1", "", "", "", "", "1"}, 0, 0, 1, 1},
        DerivedCase{Grid{"-1", "", "", "", "", "-1", "", "", "", "", "-1"}, 0, 0, -1, -1},
        DerivedCase{Grid{"", "", "3", "16", "", "", "", "", "4"}, 4, 6, 0, 1}),
    testing::NamedRow{});

}  // namespace
}  // namespace quorvel::engine
