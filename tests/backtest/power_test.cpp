#include "quorvel/backtest/power.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// The power figures held to the test itself, on the shipped record: hit counts drawn at the
// detectable rate reach the family's critical value in at least three cases of four (the figure
// claims four of five), and hit counts at an edge of kLargeEdge reach it about as often as
// `atLargeEdge` says.
TEST(PowerSimulation, TheDetectableEdgeIsCaughtByTheFamilysFirstStep) {
  std::ifstream in(QUORVEL_REAL_RECORD, std::ios::binary);
  BacktestOptions options;
  options.shuffles = 1000;
  options.threads = 2;
  const BacktestResult result = runBacktest(readRecord(in).draws, options);
  std::mt19937_64 random(5);
  const auto reaching = [&](const OutputSummary& o, std::int64_t critical, double rate) {
    std::binomial_distribution<long long> hits(o.calls, rate);
    int reached = 0;
    for (int trial = 0; trial < 1000; ++trial)
      reached += 1000 * hits(random) - o.chanceThousandths >= critical;
    return reached;
  };
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    const Power& power = result.power[i];
    const std::optional<std::int64_t> critical = result.tests[i].criticalExcessThousandths;
    ASSERT_TRUE(critical) << "output " << i;
    EXPECT_GE(reaching(o, *critical, power.detectableRate), 750) << "output " << i;
    EXPECT_GT(power.edgePoints, 0);
    const double atLarge =
        reaching(o, *critical, result.tests[i].nullHitRate + kLargeEdge) / 1000.0;
    EXPECT_NEAR(atLarge, power.atLargeEdge, 0.02) << "output " << i;
  }
  EXPECT_TRUE(result.canTell());
  // At the edge a list's bets would return more, in proportion; still far below the stake.
  EXPECT_GT(*result.power[1].returnRate, result.tests[1].nullReturnRate);
  EXPECT_LT(*result.power[1].returnRate, 0.6);
  EXPECT_FALSE(result.power[3].returnRate);
}

// Too few shuffles for any claim to be shown (one asked, and no more than sixteen run however
// borderline), or too few draws to catch a large edge: the backtest cannot tell.
TEST(Power, TooLittleToCatchALargeEdgeCannotTell) {
  BacktestOptions options;
  options.shuffles = 1;
  EXPECT_FALSE(runBacktest(simulateHistory(7680, 2), options).canTell());
  options.shuffles = 400;
  EXPECT_FALSE(runBacktest(simulateHistory(40, 2), options).canTell());
  EXPECT_TRUE(runBacktest(simulateHistory(3000, 2), options).canTell());
}

}  // namespace
}  // namespace quorvel::backtest
