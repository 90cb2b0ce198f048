#include "quorvel/backtest/power.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "quorvel/backtest/backtest.h"

namespace quorvel::backtest {
namespace {

// The power figure held to the test itself: on the shipped record, hit counts drawn at the
// detectable rate reach the critical value of the shuffles' own null distribution at 5 % / 8 in
// at least three cases of four (the figure claims four of five).
TEST(Power, TheDetectableEdgeIsCaughtByThePermutationTest) {
  std::ifstream in(QUORVEL_REAL_RECORD, std::ios::binary);
  const std::vector<Draw> draws = readHistory(in);
  constexpr std::uint64_t kShuffles = 1000;
  BacktestOptions options;
  options.shuffles = kShuffles;
  options.threads = 2;
  const BacktestResult result = runBacktest(draws, options);
  const Powers& powers = result.power;
  // The very shuffles the test ran: the same seed, the same numbers.
  const std::vector<ReplayStatistics> shuffled =
      replayShuffles(draws, options.seed, {0, kShuffles}, 2, {});
  std::mt19937_64 random(5);
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    // The critical excess: the smallest that at most `allowed` shuffles reach, so that its
    // permutation p-value (1 + reached) / (shuffles + 1) is within the level.
    std::vector<std::int64_t> excess;
    for (const ReplayStatistics& s : shuffled) excess.push_back(s.excessThousandths[i]);
    std::sort(excess.begin(), excess.end(), std::greater<>());
    const auto allowed = static_cast<std::size_t>(powerLevel() * (kShuffles + 1) - 1);
    const std::int64_t critical = excess[allowed] + 1;
    std::binomial_distribution<long long> hits(o.calls, powers[i].detectableRate);
    int reached = 0;
    for (int trial = 0; trial < 1000; ++trial) {
      reached += 1000 * hits(random) - o.chanceThousandths >= critical;
    }
    EXPECT_EQ(result.tests[i].criticalExcessThousandths, critical);
    EXPECT_GE(reached, 750) << "output " << i;
    EXPECT_GT(powers[i].edgePoints, 0);
  }
  // At the edge a list's bets would return more, in proportion; still far below the stake.
  EXPECT_GT(*powers[1].returnRate, result.summary.output(1).expectedRate());
  EXPECT_LT(*powers[1].returnRate, 0.6);
  EXPECT_FALSE(powers[3].returnRate);
}

}  // namespace
}  // namespace quorvel::backtest
