#include "weight_rules.h"

#include <gtest/gtest.h>

#include "derived_values.h"
#include "pass_stopped.h"
#include "quorvel/engine/cell_value.h"
#include "row_name.h"
#include "sum_votes.h"
#include "tail_votes.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::Grid;
using testing::render;

// The pass up to the tail votes: the stages that the weight rules continue from.
struct Scored {
  HistoryGrid grid;
  PassStorage pass;

  explicit Scored(const Grid& cells) : grid(cells.texts()) {
    computeDerivedValues(grid, pass);
    countSumVotes(*cellValue(cells.cells[0]), *cellValue(cells.cells[1]),
                  *cellValue(cells.cells[2]), pass);
    applyZeroVotePenalty(pass);
  }
};

TEST(WeightRules, WorkedGridStepByStep) {
  Scored s(Grid{"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"});
  EXPECT_EQ(render(s.pass.sumVotes, 28), "0 0 1 1 1 1 3 3 1 3 2 3 2 2 3 2 3 2 3 1 3 2 2 1 2 0 0 0");

  countTailVotes(s.grid, s.pass);
  EXPECT_EQ(render(s.pass.tailVotes, 10), "1 0 2 1 2 0 0 0 2 0");
  EXPECT_EQ(s.pass.thirdColumnTail, 3);

  applyRangeRules(s.pass);
  EXPECT_EQ(render(s.pass.sumWeight, 28),
            "-1 -2 -2 -1 0 0 -1 -1 0 0 0 0 0 -1 0 0 -1 0 -1 -2 0 -1 0 0 -3 -4 -4 -4");
  applyKeyRules(s.grid, s.pass);
  EXPECT_EQ(render(s.pass.sumWeight, 28),
            "-2 -2 -3 -1 0 -1 -1 -1 0 0 -1 0 0 -1 -1 0 -1 -1 -1 -2 -1 -1 0 0 -3 -4 -5 -4");
  applyExtremeRule(s.pass);
  EXPECT_EQ(render(s.pass.sumWeight, 28),
            "-3 -3 -4 -2 -1 -2 -1 -1 -1 0 -1 0 0 -1 -1 0 -1 -1 -1 -3 -1 -1 0 -1 -3 -5 -6 -5");
  EXPECT_EQ(unpenalisedSums(s.pass), makeSumSet({9, 11, 12, 15, 22}));
}

// The sums whose weight went down between two states of a pass.
SumSet lowered(const PassStorage& before, const PassStorage& after) {
  SumSet set = 0;
  for (int sum = 0; sum < 28; ++sum) {
    if (after.sumWeight[sum] < before.sumWeight[sum]) set |= SumSet{1} << sum;
  }
  return set;
}

TEST(WeightRules, EmptyGrid) {
  Scored s(Grid{});
  countTailVotes(s.grid, s.pass);
  EXPECT_EQ(render(s.pass.tailVotes, 10), "8 0 0 0 0 0 0 0 0 0");

  const PassStorage beforeRange = s.pass;
  applyRangeRules(s.pass);
  constexpr SumSet kAllSums = (SumSet{1} << 28) - 1;
  EXPECT_EQ(lowered(beforeRange, s.pass),
            kAllSums & ~makeSumSet({5, 8, 9, 11, 12, 14, 15, 17, 18, 22}));
  EXPECT_EQ(s.pass.sumWeight[10] - beforeRange.sumWeight[10], -1) << "one hot tail strikes once";
  for (int sum : {24, 26, 27}) EXPECT_EQ(s.pass.sumWeight[sum] - beforeRange.sumWeight[sum], -4);
  EXPECT_EQ(unpenalisedSums(s.pass), makeSumSet({5, 8, 9, 11, 12, 14, 15, 17, 18}));

  const PassStorage beforeKey = s.pass;
  applyKeyRules(s.grid, s.pass);
  EXPECT_EQ(lowered(beforeKey, s.pass), makeSumSet({0, 10, 20, 12, 24}));
  EXPECT_EQ(s.pass.sumWeight[12] - beforeKey.sumWeight[12], -2) << "K2 and K3 both strike 12";
  EXPECT_EQ(unpenalisedSums(s.pass), makeSumSet({5, 8, 9, 11, 14, 15, 17, 18}));
}

struct HotTailCase {
  int digit;
  int votes;
  SumSet struck;
};

std::string describe(const HotTailCase& c) {
  return std::to_string(c.votes) + " votes for tail " + std::to_string(c.digit);
}

class HotTail : public ::testing::TestWithParam<HotTailCase> {};

TEST_P(HotTail, StrikesEverySumEndingInADigitWithMoreThanFourVotes) {
  const HotTailCase& c = GetParam();
  PassStorage pass;
  pass.tailVotes.add(c.digit, c.votes);
  // Values without a row in the other range rules, so only the hot tail acts.
  pass.latestSumTail = pass.thirdColumnTail = pass.diagParityA = pass.diagParityB = -1;
  pass.latestSumMod12 = -1;
  applyRangeRules(pass);
  EXPECT_EQ(unpenalisedSums(pass), ~c.struck & ((SumSet{1} << 28) - 1));
}

INSTANTIATE_TEST_SUITE_P(Votes, HotTail,
                         ::testing::Values(HotTailCase{3, 4, 0},
                                           HotTailCase{3, 5, makeSumSet({3, 13, 23})},
                                           HotTailCase{7, 8, makeSumSet({7, 17, 27})},
                                           HotTailCase{8, 5, makeSumSet({8, 18})},
                                           HotTailCase{0, 6, makeSumSet({0, 10, 20})}),
                         testing::NamedRow{});

TEST(RangeRules, ZodiacDigitSumsPenaliseTheirSums) {
  const SumSet expected[12] = {makeSumSet({0, 7, 16, 25}),
                               makeSumSet({0, 3, 12, 21}),
                               makeSumSet({0}),
                               makeSumSet({6, 15, 19, 24}),
                               makeSumSet({7, 16, 19, 25}),
                               makeSumSet({0, 8, 17, 26}),
                               makeSumSet({0, 7, 16, 25}),
                               makeSumSet({1, 3, 10, 12, 21}),
                               makeSumSet({0, 6, 15, 24}),
                               makeSumSet({7, 8, 16, 17, 25, 26}),
                               makeSumSet({1, 10, 19}),
                               makeSumSet({0})};
  for (std::size_t value = 0; value < 12; ++value) {
    EXPECT_EQ(kZodiacPenalties[value], expected[value]) << "latestSumMod12 = " << value;
  }
}

TEST(KeyRules, NegativeProductTailPenalisesNothingAndDoesNotFail) {
  Scored s(Grid{"", "", "", "-3", "", "", "", "7", "", "", "", "13"});
  EXPECT_EQ(s.pass.latestSumTail, -3);
  EXPECT_EQ(s.pass.latestSumMod12, -3);
  countTailVotes(s.grid, s.pass);
  const PassStorage beforeRange = s.pass;
  applyRangeRules(s.pass);
  // The negative latest-sum tail and zodiac value have no row: only the hot tail 0, the
  // third-column tail 0 and the two parities 0 strike.
  EXPECT_EQ(lowered(beforeRange, s.pass),
            makeSumSet({0, 10, 20}) | makeSumSet({2, 21, 24, 26, 27}) |
                makeSumSet({3, 6, 13, 24, 25, 26, 27}) | makeSumSet({1, 24, 26, 27}));
  const PassStorage beforeKey = s.pass;
  applyKeyRules(s.grid, s.pass);
  // K1: -21 mod 10 = -1 strikes nothing; K2: q = 0 strikes 0, 12, 24; K3: r = 4 strikes 4, 16.
  EXPECT_EQ(lowered(beforeKey, s.pass), makeSumSet({0, 12, 24, 4, 16}));
}

TEST(KeyRules, ProductBeyond32BitsIsTheOverflowFailure) {
  Scored s(Grid{"", "", "", "50000", "", "", "", "50000"});
  EXPECT_THROW(applyKeyRules(s.grid, s.pass), PassStopped);
}

}  // namespace
}  // namespace quorvel::engine
