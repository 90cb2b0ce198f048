#include "quorvel/backtest/shuffles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

TEST(ShuffleOrder, IsAPermutationFixedBySeedAndIndex) {
  const std::vector<std::uint32_t> a = shuffleOrder(1000, 7, 3);
  std::vector<std::uint32_t> sorted = a;
  std::sort(sorted.begin(), sorted.end());
  std::vector<std::uint32_t> identity(1000);
  std::iota(identity.begin(), identity.end(), 0U);
  EXPECT_EQ(sorted, identity);
  EXPECT_EQ(shuffleOrder(1000, 7, 3), a);
  EXPECT_NE(shuffleOrder(1000, 7, 4), a);
  EXPECT_NE(shuffleOrder(1000, 8, 3), a);
}

TEST(ShuffleOrder, ReachesEveryOrderOfFiveDrawsAboutEquallyOften) {
  std::map<std::vector<std::uint32_t>, int> seen;
  constexpr int kShuffles = 60000;
  for (int b = 0; b < kShuffles; ++b) ++seen[shuffleOrder(5, 1, static_cast<std::uint64_t>(b))];
  ASSERT_EQ(seen.size(), 120u);
  // 500 expected each; five standard deviations either side.
  for (const auto& [order, count] : seen) EXPECT_NEAR(count, 500, 112);
}

// Five draws give two replays; all 120 orders can be listed, so the exact permutation p-value is
// known, and the sampled one must come close to it.
TEST(PermutationTest, AgreesWithEnumeratingEveryOrderOfATinyHistory) {
  const std::vector<Draw> draws = {
      {1, {3, 5, 8}}, {2, {2, 7, 1}}, {3, {9, 0, 4}}, {4, {1, 2, 9}}, {5, {6, 6, 0}}};
  const ReplayStatistics observed = replayStatistics(draws);

  std::vector<std::size_t> order(draws.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::array<int, engine::kOutputs> reaching{};
  int orders = 0;
  do {
    std::vector<Draw> permuted;
    for (std::size_t i : order) permuted.push_back(draws[i]);
    const ReplayStatistics s = replayStatistics(permuted);
    for (std::size_t i = 0; i < engine::kOutputs; ++i)
      reaching[i] += s.excessThousandths[i] >= observed.excessThousandths[i];
    ++orders;
  } while (std::next_permutation(order.begin(), order.end()));
  ASSERT_EQ(orders, 120);

  BacktestOptions options;
  options.shuffles = 4000;
  options.threads = 2;
  std::size_t next = 0;
  const BacktestResult result = runBacktest(
      [&](Draw& draw) { return next < draws.size() && (draw = draws[next++], true); }, options);
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const double exact = reaching[i] / 120.0;
    EXPECT_EQ(result.tests[i].excessThousandths, observed.excessThousandths[i]);
    EXPECT_NEAR(result.tests[i].pValue, exact, 5 * std::sqrt(exact * (1 - exact) / 4000) + 1e-3)
        << "output " << i;
  }
}

// The shuffles' own replay loop against the summary the report is made from.
TEST(PermutationTest, ScoresEachOrderAsTheReportsSummaryDoes) {
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    const std::vector<Draw> draws = simulateHistory(3 + seed * 7, seed);
    Summary summary;
    for (std::size_t t = 3; t < draws.size(); ++t) {
      summary.add(replay(draws[t - 3], draws[t - 2], draws[t - 1], draws[t]));
    }
    summary.finish();
    const ReplayStatistics statistics = replayStatistics(draws);
    for (std::size_t i = 0; i < engine::kOutputs; ++i) {
      const Tally& tally = summary.output(static_cast<int>(i)).tally;
      EXPECT_EQ(statistics.excessThousandths[i], tally.excessThousandths()) << seed;
      EXPECT_EQ(statistics.patterns[i], tally.patterns()) << seed;
    }
  }
  EXPECT_EQ(replayStatistics(simulateHistory(3, 1)).patterns, ReplayStatistics{}.patterns);
}

TEST(PermutationTest, GivesTheSameShufflesWhateverTheThreadsOrParts) {
  const std::vector<Draw> draws = simulateHistory(60, 5);
  const auto one = replayShuffles(draws, 9, {0, 24}, 1, {});
  const auto three = replayShuffles(draws, 9, {0, 24}, 3, {});
  // The page replays the shuffles in parts, one part a worker.
  const auto part = replayShuffles(draws, 9, {10, 14}, 1, {});
  ASSERT_EQ(part.size(), 14u);
  for (std::size_t b = 0; b < one.size(); ++b) {
    EXPECT_EQ(one[b].excessThousandths, three[b].excessThousandths) << b;
    EXPECT_EQ(one[b].patterns, three[b].patterns) << b;
    if (b < 10) continue;
    EXPECT_EQ(one[b].excessThousandths, part[b - 10].excessThousandths) << b;
    EXPECT_EQ(one[b].patterns, part[b - 10].patterns) << b;
  }
}

// The replays a record affords fit in the memory they share, one more would not, and even a
// record too large for the budget gets one.
TEST(AffordableReplays, FillTheSharedMemoryAndNeverFallToNone) {
  for (const std::uint64_t draws :
       {0ULL, 4ULL, 7680ULL, 2'000'000ULL, 5'000'000ULL, 100'000'000ULL}) {
    const std::uint64_t replays = affordableReplays(draws);
    ASSERT_GE(replays, 1u) << draws;
    const std::uint64_t each = std::max<std::uint64_t>(draws, 1) * kReplayBytesPerDraw;
    if (replays > 1) {
      EXPECT_LE(replays * each, kReplayMemoryBytes) << draws;
    }
    EXPECT_GT((replays + 1) * each, kReplayMemoryBytes) << draws;
  }
  EXPECT_EQ(affordableReplays(2'000'000), 2u);  // the page's two workers for two million draws
}

}  // namespace
}  // namespace quorvel::backtest
