#include "quorvel/backtest/shuffle_tally.h"

#include <gtest/gtest.h>

#include "quorvel/backtest/backtest.h"

namespace quorvel::backtest {
namespace {

// A shuffle reaches the record's value when it scores at least as much, a tie included; the
// p-value counts the record itself as one more ordering.
TEST(ShuffleTally, CountsTheShufflesThatReachTheRecordsValueTiesIncluded) {
  ReplayStatistics observed;
  observed.excessThousandths = {3, 6, -1, 0, 0, 0, 0, 0};
  observed.patterns = {2, 0, 0, 0, 0, 0, 0, 9};
  ShuffleTally tally(observed, 4);
  for (const std::int64_t value : {1, 3, 5, 2}) {
    ReplayStatistics shuffle;
    shuffle.excessThousandths.fill(value);
    shuffle.patterns.fill(value);
    tally.add(shuffle);
  }
  EXPECT_EQ(tally.shuffles(), 4u);
  EXPECT_EQ(tally.excessReached()[0], 2u);  // 3 and 5
  EXPECT_EQ(tally.excessReached()[1], 0u);
  EXPECT_EQ(tally.excessReached()[2], 4u);
  EXPECT_EQ(tally.patternsReached()[0], 3u);
  EXPECT_EQ(tally.patternsReached()[7], 0u);

  BacktestResult result;
  testAgainstShuffles(tally, result);
  EXPECT_EQ(result.shuffles, 4u);
  EXPECT_DOUBLE_EQ(result.tests[7].patternPValue, 1.0 / 5);
  BacktestResult untested;
  testAgainstShuffles(ShuffleTally(observed, 0), untested);
  EXPECT_DOUBLE_EQ(untested.tests[0].pValue, 1.0);
}

}  // namespace
}  // namespace quorvel::backtest
