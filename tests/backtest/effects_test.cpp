#include "quorvel/backtest/effects.h"

#include <gtest/gtest.h>

#include <random>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// The return rate's 95 % interval by the delta method holds the rate of the whole stream of bets
// about 95 % of the time: 400 samples of 3000 simulated passes each, against the rate of a
// sample a hundred times longer.
TEST(Effects, TheReturnRateIntervalHoldsTheLongRunRateNineteenTimesInTwenty) {
  const BacktestResult long_run = runBacktest(simulateHistory(300'000, 9), {});
  const double truth = long_run.summary.output(1).money.rate();
  int held = 0;
  for (std::uint64_t sample = 0; sample < 400; ++sample) {
    const BacktestResult result = runBacktest(simulateHistory(3003, 100 + sample), {});
    const auto [low, high] = returnRateInterval95(result.summary.output(1));
    held += low <= truth && truth <= high;
  }
  EXPECT_NEAR(held / 400.0, 0.95, 3 * std::sqrt(0.95 * 0.05 / 400));
}

TEST(Effects, BreakEvenIsChanceOverBlindBetsRate) {
  OutputSummary list;
  list.calls = 10;
  list.chanceThousandths = 10 * 716;  // 71.6 % a call
  list.money.stakeYuan = 100;
  list.expectedReturnMills = 52'100;  // 52.1 yuan back on average
  EXPECT_NEAR(breakEvenHitRate(list), 0.716 / 0.521, 1e-12);
}

// The edge is measured from the shuffles' centre; its upper bound is Wilson's one-sided bound
// less that centre, never below the edge itself.
TEST(Effects, TheEdgeIsMeasuredFromTheShufflesCentre) {
  OutputSummary o;
  o.calls = 10'000;
  o.hits = 5'300;
  OutputTest test;
  test.nullHitRate = 0.51;
  EXPECT_NEAR(edge(o, test), 0.02, 1e-12);
  // p = 0.53, n = 10,000: the one-sided 95 % bound lies 1.645 standard errors above.
  EXPECT_NEAR(edgeUpper95(o, test), 0.02 + 1.6449 * std::sqrt(0.53 * 0.47 / 10'000), 2e-5);
  o.hits = o.calls;
  EXPECT_GE(edgeUpper95(o, test), edge(o, test));
}

}  // namespace
}  // namespace quorvel::backtest
