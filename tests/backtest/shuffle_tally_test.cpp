#include "quorvel/backtest/shuffle_tally.h"

#include <gtest/gtest.h>

#include "quorvel/backtest/backtest.h"

namespace quorvel::backtest {
namespace {

// The tally keeps every shuffle's claims at its number, in the family's order, whatever order the
// shuffles come in, and adds up the counts that give the shuffles' centre.
TEST(ShuffleTally, KeepsEachShufflesClaimsAndAddsUpItsCounts) {
  const std::vector<Draw> draws = simulateHistory(120, 4);
  const std::vector<ReplayStatistics> shuffles = replayShuffles(draws, 2, {0, 6}, 1, {});
  ShuffleTally tally;
  for (const std::size_t b : {3U, 0U, 5U, 1U, 4U, 2U})
    tally.add(b, shuffles[b]);  // as workers send them
  ASSERT_EQ(tally.shuffles(), 6u);
  EXPECT_TRUE(tally.complete());
  std::int64_t hits = 0, calls = 0, staked = 0;
  for (std::size_t b = 0; b < shuffles.size(); ++b) {
    const ClaimStatistics& claims = tally.claims()[b];
    EXPECT_EQ(claims[0], shuffles[b].excessThousandths[0]);
    EXPECT_EQ(claims[engine::kOutputs + 3], shuffles[b].patterns[3]);
    EXPECT_EQ(claims[2 * engine::kOutputs + 2], shuffles[b].excessReturnMills[2]);
    hits += shuffles[b].hits[5];
    calls += shuffles[b].calls[5];
    staked += shuffles[b].stakeYuan[1];
  }
  EXPECT_EQ(tally.totals().hits[5], hits);
  EXPECT_EQ(tally.totals().calls[5], calls);
  EXPECT_EQ(tally.totals().stakeYuan[1], staked);
  EXPECT_EQ(calls, 6 * 117);  // every pass calls odd or even
}

// Without shuffles the test stands at p = 1 and shows nothing; its centre is chance's.
TEST(ShuffleTally, NoShufflesShowNothing) {
  BacktestResult result = runBacktest(simulateHistory(50, 1), {});
  testAgainstShuffles(ShuffleTally{}, result);
  EXPECT_EQ(result.shuffles, 0u);
  for (const ClaimTest& claim : result.family.claims) {
    EXPECT_EQ(claim.pValueAdjusted, 1.0);
    EXPECT_EQ(claim.standing, Standing::NoEvidence);
  }
  EXPECT_DOUBLE_EQ(result.tests[1].nullHitRate, result.summary.output(1).chanceRate());
  EXPECT_FALSE(result.canTell());
}

}  // namespace
}  // namespace quorvel::backtest
