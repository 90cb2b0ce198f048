#include "quorvel/backtest/shuffle_tally.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// The tally keeps every shuffle's claims at its number, in the family's order, whatever order the
// shuffles come in, and adds up the counts that give the shuffles' centre.
TEST(ShuffleTally, KeepsEachShufflesClaimsAndAddsUpItsCounts) {
  const std::vector<Draw> draws = simulateHistory(120, 4);
  const std::vector<ReplayStatistics> shuffles = replayShuffles(draws, 2, {0, 6}, 1, {});
  ShuffleTally tally(6);
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
  testAgainstShuffles(ShuffleTally{}, result, 0);
  EXPECT_EQ(result.shuffles, 0u);
  for (const ClaimTest& claim : result.family.claims) {
    EXPECT_EQ(claim.pValueAdjusted, 1.0);
    EXPECT_EQ(claim.standing, Standing::NoEvidence);
  }
  EXPECT_DOUBLE_EQ(result.tests[1].nullHitRate, result.summary.output(1).chanceRate());
  EXPECT_FALSE(result.canTell());
}

// The tally knows which shuffles it holds: a part that comes twice, overlaps another, or lies past
// the planned shuffles is refused whole and changes nothing, and a test on a tally that lacks a
// planned shuffle is refused, so that no worker's slip becomes a zero-filled or doubled shuffle.
TEST(ShuffleTally, RefusesAShuffleTwiceOrUnplannedAndATestWhileOneIsMissing) {
  const std::vector<Draw> draws = simulateHistory(200, 9);
  const std::vector<ReplayStatistics> shuffles = replayShuffles(draws, 3, {0, 8}, 1, {});
  BacktestResult result = runBacktest(draws, {});
  ShuffleTally tally(8);
  for (std::size_t b = 0; b < 7; ++b) tally.add(b, shuffles[b]);
  const ReplayStatistics totals = tally.totals();
  EXPECT_THROW(tally.add(4, shuffles[4]), std::invalid_argument);  // a part given twice
  EXPECT_THROW(tally.add(8, shuffles[7]), std::invalid_argument);  // past the planned ones
  EXPECT_EQ(tally.shuffles(), 7u);
  EXPECT_EQ(tally.totals(), totals);
  EXPECT_FALSE(tally.complete());
  EXPECT_THROW(testAgainstShuffles(tally, result, 8), std::logic_error);  // shuffle 7 missing

  tally.add(7, shuffles[7]);
  ASSERT_TRUE(tally.complete());
  tally.plan(10);  // more are wanted: the test waits for them
  EXPECT_FALSE(tally.complete());
  EXPECT_THROW(testAgainstShuffles(tally, result, 8), std::logic_error);
  const std::vector<ReplayStatistics> more = replayShuffles(draws, 3, {8, 2}, 1, {});
  tally.add(9, more[1]);
  tally.add(8, more[0]);
  EXPECT_NO_THROW(testAgainstShuffles(tally, result, 8));
  EXPECT_EQ(result.shuffles, 10u);
}

}  // namespace
}  // namespace quorvel::backtest
