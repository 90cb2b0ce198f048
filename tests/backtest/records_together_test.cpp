#include "quorvel/backtest/records_together.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// Each record's orderings, the record first and then its shuffles in their order.
using Orderings = std::vector<ClaimStatistics>;

// The joint maxT written out from its definition, sharing nothing with the library: each record's
// claims standardised by the mean and sample standard deviation of that record's orderings; the
// b-th joint ordering adds record r's shuffle (b + r) mod n; then step-down maxT on the sums.
std::array<double, kClaims> bruteForceTogether(const std::vector<Orderings>& records) {
  std::size_t n = SIZE_MAX;
  for (const Orderings& r : records) n = std::min(n, r.size() - 1);
  std::vector<std::array<double, kClaims>> sums(n + 1);
  for (std::size_t r = 0; r < records.size(); ++r) {
    // This record's orderings as the test pairs them: itself, then its shuffles rotated by r.
    std::vector<const ClaimStatistics*> used{&records[r][0]};
    for (std::size_t b = 0; b < n; ++b) used.push_back(&records[r][1 + (b + r) % n]);
    for (std::size_t j = 0; j < kClaims; ++j) {
      double mean = 0, sd = 0;
      for (const ClaimStatistics* o : used) mean += static_cast<double>((*o)[j]);
      mean /= static_cast<double>(used.size());
      for (const ClaimStatistics* o : used) sd += std::pow(static_cast<double>((*o)[j]) - mean, 2);
      sd = std::sqrt(sd / static_cast<double>(used.size() - 1));
      for (std::size_t b = 0; b < used.size(); ++b) {
        const double d = static_cast<double>((*used[b])[j]) - mean;
        sums[b][j] += sd > 0 ? d / sd : 0;
      }
    }
  }
  std::vector<std::size_t> order(kClaims);
  for (std::size_t j = 0; j < kClaims; ++j) order[j] = j;
  std::stable_sort(order.begin(), order.end(),
                   [&](auto a, auto b) { return sums[0][a] > sums[0][b]; });
  std::array<double, kClaims> adjusted{};
  double floor = 0;
  for (std::size_t k = 0; k < kClaims; ++k) {
    int reaching = 0;
    for (const auto& sum : sums) {
      double most = -1e300;
      for (std::size_t l = k; l < kClaims; ++l) most = std::max(most, sum[order[l]]);
      reaching += most >= sums[0][order[k]];
    }
    floor = std::max(floor, static_cast<double>(reaching) / static_cast<double>(sums.size()));
    adjusted[order[k]] = floor;
  }
  return adjusted;
}

std::vector<RecordClaims> partsOf(const std::vector<Orderings>& records) {
  std::vector<RecordClaims> parts;
  for (const Orderings& r : records) parts.push_back({r[0], std::span(r).subspan(1)});
  return parts;
}

TEST(RecordsTogether, AdjustsTheSummedStandardisedStatisticsByMaxT) {
  std::mt19937_64 random(5);
  std::normal_distribution<double> noise;
  for (int trial = 0; trial < 200; ++trial) {
    // Two or three records of unequal numbers of shuffles and unequal scales, their claims
    // moving together within each ordering; now and then a record far out on one claim.
    std::vector<Orderings> records(2 + static_cast<std::size_t>(trial % 2));
    for (std::size_t r = 0; r < records.size(); ++r) {
      records[r].resize(5 + static_cast<std::size_t>((trial * 7 + static_cast<int>(r) * 13) % 60));
      for (ClaimStatistics& o : records[r]) {
        const double shared = noise(random);
        for (std::size_t j = 0; j < kClaims; ++j)
          o[j] = std::llround((10.0 + 300.0 * static_cast<double>(r)) * (shared + noise(random)));
      }
    }
    if (trial % 3 == 0) records[1][0][static_cast<std::size_t>(trial) % kClaims] += 4000;
    const std::vector<RecordClaims> parts = partsOf(records);
    const FamilyTest family = testFamilyTogether(parts, 1);
    const std::array<double, kClaims> expected = bruteForceTogether(records);
    for (std::size_t j = 0; j < kClaims; ++j) {
      EXPECT_NEAR(family.claims[j].pValueAdjusted, expected[j], 1e-12)
          << "trial " << trial << " claim " << j;
      EXPECT_GE(family.claims[j].pValueAdjusted, family.claims[j].pValue);
    }
    EXPECT_FALSE(criticalStatistic(family, 0)) << "records together have no one scale";
  }
}

TEST(RecordsTogether, OfOneRecordIsThatRecordsOwnTest) {
  std::mt19937_64 random(8);
  std::uniform_int_distribution<int> value(-40, 40);
  for (int trial = 0; trial < 50; ++trial) {
    Orderings record(30 + static_cast<std::size_t>(trial));
    for (ClaimStatistics& o : record)
      for (std::int64_t& s : o) s = value(random);
    const std::vector<Orderings> records = {record};
    const std::vector<RecordClaims> parts = partsOf(records);
    const FamilyTest alone = testFamily(record[0], std::span(record).subspan(1), 3);
    const FamilyTest together = testFamilyTogether(parts, 3);
    for (std::size_t j = 0; j < kClaims; ++j) {
      EXPECT_EQ(alone.claims[j].pValueAdjusted, together.claims[j].pValueAdjusted);
      EXPECT_EQ(alone.claims[j].monteCarloError, together.claims[j].monteCarloError);
      EXPECT_EQ(alone.claims[j].standing, together.claims[j].standing);
    }
  }
}

// Two simulated records' backtests, tested together, against the same test recounted from shuffles
// replayed afresh, record by record: the test reuses each backtest's shuffles as they were.
TEST(RecordsTogether, ReusesEachBacktestsShufflesAsTheyAre) {
  const std::vector<Draw> first = simulateHistory(300, 21), second = simulateHistory(260, 22);
  BacktestOptions options;
  options.shuffles = 40;
  options.seed = 9;
  options.laterDraws = false;
  const BacktestResult a = runBacktest(first, options);
  options.game = &game::kSportsPick3;
  const BacktestResult b = runBacktest(second, options);
  const std::array<RecordInTest, 2> records = {{{first, &a}, {second, &b}}};
  const TogetherTest together = testTogether(records, options.shuffles, 2);

  std::vector<Orderings> recounted(2);
  const auto recount = [&](const std::vector<Draw>& draws, const game::Game& game,
                           std::uint64_t count, Orderings& into) {
    into.push_back(claimStatistics(replayStatistics(draws, {}, game)));
    for (const ReplayStatistics& s :
         ShuffledReplays(draws, {}, game).replay(options.seed, {0, count}, 1, {}))
      into.push_back(claimStatistics(s));
  };
  recount(first, game::kWelfare3D, together.shuffles, recounted[0]);
  recount(second, game::kSportsPick3, together.shuffles, recounted[1]);
  ASSERT_GE(together.shuffles, options.shuffles);
  const std::array<double, kClaims> expected = bruteForceTogether(recounted);
  for (std::size_t j = 0; j < kClaims; ++j)
    EXPECT_NEAR(together.family.claims[j].pValueAdjusted, expected[j], 1e-12) << "claim " << j;
}

// A claim on the line after the shuffles asked for is tested again on more of every record's,
// and once the shuffles reach the cap, is undecided, never borderline.
TEST(RecordsTogether, SettlesOrLeavesUndecidedAClaimOnTheLine) {
  const std::vector<Draw> first = simulateHistory(200, 3), second = simulateHistory(200, 4);
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    BacktestOptions options;
    options.shuffles = 20;  // so few that claims sit on the line often
    options.seed = seed;
    options.laterDraws = false;
    const BacktestResult a = runBacktest(first, options), b = runBacktest(second, options);
    const std::array<RecordInTest, 2> records = {{{first, &a}, {second, &b}}};
    const TogetherTest together = testTogether(records, options.shuffles, 2);
    const bool borderline =
        std::any_of(together.family.claims.begin(), together.family.claims.end(),
                    [](const ClaimTest& c) { return c.standing == Standing::Borderline; });
    EXPECT_FALSE(borderline) << "seed " << seed;
    EXPECT_LE(together.shuffles, shuffleCap(options.shuffles));
    EXPECT_GE(together.shuffles, std::min(a.shuffles, b.shuffles));
  }
}

}  // namespace
}  // namespace quorvel::backtest
