#include "quorvel/backtest/family.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/settings.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// Westfall and Young's step-down maxT written straight from its definition, sharing nothing with
// the library: each claim standardised by the mean and sample standard deviation of all the
// orderings, the record one of them, so that every ordering is standardised alike; the
// claims taken from the largest standardised value on the record, and at each step the share of
// orderings (the record among them) whose largest standardised value among the claims left
// reaches the record's. Monotone from step to step.
std::array<double, kClaims> bruteForceMaxT(const std::vector<ClaimStatistics>& orderings) {
  const std::size_t n = orderings.size();  // the record first
  std::array<double, kClaims> mean{}, sd{};
  for (std::size_t j = 0; j < kClaims; ++j) {
    for (std::size_t b = 0; b < n; ++b) mean[j] += static_cast<double>(orderings[b][j]);
    mean[j] /= static_cast<double>(n);
    for (std::size_t b = 0; b < n; ++b) {
      const double d = static_cast<double>(orderings[b][j]) - mean[j];
      sd[j] += d * d;
    }
    sd[j] = std::sqrt(sd[j] / static_cast<double>(n - 1));
  }
  const auto z = [&](std::size_t b, std::size_t j) {
    return (static_cast<double>(orderings[b][j]) - mean[j]) / sd[j];
  };
  std::vector<std::size_t> order(kClaims);
  for (std::size_t j = 0; j < kClaims; ++j) order[j] = j;
  std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return z(0, a) > z(0, b); });
  std::array<double, kClaims> adjusted{};
  double floor = 0;
  for (std::size_t k = 0; k < kClaims; ++k) {
    int reaching = 0;
    for (std::size_t b = 0; b < n; ++b) {
      double most = -1e300;
      for (std::size_t l = k; l < kClaims; ++l) most = std::max(most, z(b, order[l]));
      reaching += most >= z(0, order[k]);
    }
    floor = std::max(floor, static_cast<double>(reaching) / static_cast<double>(n));
    adjusted[order[k]] = floor;
  }
  return adjusted;
}

// Claims that move together, as a record's outputs do, with many ties, as its patterns have.
std::vector<ClaimStatistics> correlatedOrderings(std::mt19937_64& random, std::size_t n) {
  std::normal_distribution<double> noise;
  std::vector<ClaimStatistics> orderings(n);
  for (ClaimStatistics& ordering : orderings) {
    const double shared = noise(random);
    for (std::size_t j = 0; j < kClaims; ++j) {
      const double scale = j < engine::kOutputs ? 50 : j < 2 * engine::kOutputs ? 1.5 : 800;
      ordering[j] = static_cast<std::int64_t>(std::lround(scale * (shared + noise(random))));
    }
  }
  return orderings;
}

TEST(Family, AdjustsAsWestfallAndYoungsMaxTDefinesIt) {
  std::mt19937_64 random(11);
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<ClaimStatistics> orderings =
        correlatedOrderings(random, static_cast<std::size_t>(4 + trial % 90));
    // Now and then a record far out on a few claims, so that steps reject.
    if (trial % 3 == 0) orderings[0][static_cast<std::size_t>(trial) % kClaims] += 5000;
    const FamilyTest family = testFamily(orderings[0], std::span(orderings).subspan(1), 1);
    const std::array<double, kClaims> expected = bruteForceMaxT(orderings);
    for (std::size_t j = 0; j < kClaims; ++j) {
      EXPECT_NEAR(family.claims[j].pValueAdjusted, expected[j], 1e-12)
          << "trial " << trial << " claim " << j;
      EXPECT_GE(family.claims[j].pValueAdjusted, family.claims[j].pValue);
    }
  }
}

// The adjusted p at which the first step shows a claim, its Monte Carlo margin included, from the
// rule's own terms: k of `shuffles` reaching the record give p = (1 + k) / (shuffles + 1), whose
// resampling error is sqrt(k (1 - k / shuffles)) / (shuffles + 1).
double decidingP(std::size_t shuffles) {
  const auto b = static_cast<double>(shuffles);
  double k = 0;
  while (1 + (k + 1) + kMonteCarloErrors * std::sqrt((k + 1) * (1 - (k + 1) / b)) <
         kLevel * (b + 1))
    ++k;
  return (1 + k) / (b + 1);
}

// The orderings are treated alike: whichever of them is taken for the record, the family's first
// step ranks it among the same standardised values, so over every choice of the record its
// smallest adjusted p is at most the level exactly as often as the level allows, never more.
TEST(Family, EveryOrderingTakenForTheRecordIsStandardisedAlike) {
  std::mt19937_64 random(17);
  for (int trial = 0; trial < 20; ++trial) {
    const std::size_t n = 60 + 20 * static_cast<std::size_t>(trial % 3);
    std::vector<ClaimStatistics> orderings = correlatedOrderings(random, n);
    // One ordering far out on one claim, which stretches the scale if it is left out of it.
    orderings[static_cast<std::size_t>(trial) % n][static_cast<std::size_t>(trial) % kClaims] +=
        400;
    std::size_t claiming = 0;
    std::vector<double> smallest;
    for (std::size_t r = 0; r < n; ++r) {
      std::vector<ClaimStatistics> others = orderings;
      others.erase(others.begin() + static_cast<std::ptrdiff_t>(r));
      const FamilyTest family = testFamily(orderings[r], others, 1);
      double least = 1;
      for (const ClaimTest& claim : family.claims) least = std::min(least, claim.pValueAdjusted);
      claiming += least <= kLevel;
      smallest.push_back(least * static_cast<double>(n));
    }
    EXPECT_LE(claiming, static_cast<std::size_t>(kLevel * static_cast<double>(n))) << trial;
    // Ranks of one set of values: the r-th least reaches at least r (ties share the higher rank).
    std::sort(smallest.begin(), smallest.end());
    for (std::size_t r = 0; r < n; ++r)
      EXPECT_GE(smallest[r], static_cast<double>(r + 1) - 1e-9) << trial;
  }
}

// A record that shows nothing but one claim and reaches that claim's critical statistic is shown
// on it, with the margin "shown" asks for; one just short of it is not, whatever else the
// shuffles hold. The record is one of the orderings its scale is taken over, so the critical
// value is followed until the record at it gives it back.
TEST(FamilySimulation, TheCriticalStatisticIsWhereTheFirstStepRejects) {
  std::mt19937_64 random(5);
  for (int trial = 0; trial < 100; ++trial) {
    std::vector<ClaimStatistics> shuffles =
        correlatedOrderings(random, static_cast<std::size_t>(1000 + 250 * (trial % 5)));
    ClaimStatistics record = shuffles[0];
    for (const ClaimStatistics& s : shuffles)
      for (std::size_t j = 0; j < kClaims; ++j) record[j] = std::min(record[j], s[j]);
    const std::size_t claim = static_cast<std::size_t>(trial) % kClaims;
    std::optional<std::int64_t> critical;
    for (int round = 0; round < 10; ++round) {
      critical = criticalStatistic(testFamily(record, shuffles, 1), claim);
      ASSERT_TRUE(critical) << trial;
      if (record[claim] == *critical) break;
      record[claim] = *critical;
    }
    const double deciding = decidingP(shuffles.size());
    EXPECT_LE(testFamily(record, shuffles, 1).claims[claim].pValueAdjusted, deciding + 1e-12)
        << trial;
    record[claim] = *critical - 1;
    EXPECT_GT(testFamily(record, shuffles, 1).claims[claim].pValueAdjusted, deciding) << trial;
  }
}

TEST(Family, AClaimIsShownOnlyWhenItsWholeMonteCarloIntervalLiesBelowTheLevel) {
  std::vector<ClaimStatistics> shuffles(999);
  std::mt19937_64 random(3);
  for (ClaimStatistics& s : shuffles)
    for (std::int64_t& v : s) v = static_cast<std::int64_t>(random() % 1000);
  ClaimStatistics record{};
  record[0] = 5000;  // beyond every shuffle: p = 1/1000
  record[1] = 949;   // about 5 % of the shuffles reach it alone, more across the family
  const FamilyTest family = testFamily(record, shuffles, 1);
  EXPECT_EQ(family.claims[0].pValue, 1.0 / 1000);
  EXPECT_EQ(family.claims[0].standing, Standing::Shown);
  EXPECT_NE(family.claims[1].standing, Standing::Shown);
  for (const ClaimTest& claim : family.claims) {
    const double reach = kMonteCarloErrors * claim.monteCarloError;
    EXPECT_EQ(claim.standing == Standing::Shown, claim.pValueAdjusted + reach < kLevel);
    EXPECT_EQ(claim.standing == Standing::NoEvidence, claim.pValueAdjusted - reach >= kLevel);
  }
}

// On records of fair draws, whose order means nothing, the verdict claims something (any claim of
// the family shown) at most as often as the level allows: 200 records, 200 shuffles each. The
// count is binomial; three of its standard errors above the level are allowed.
TEST(FamilySimulation, OnFairRecordsTheVerdictClaimsSomethingAtMostAtTheLevel) {
  constexpr int kRecords = 200;
  int claiming = 0;
  for (int r = 0; r < kRecords; ++r) {
    BacktestOptions options;
    options.shuffles = 200;
    options.seed = 1000 + static_cast<std::uint64_t>(r);
    options.threads = 2;
    const BacktestResult result =
        runBacktest(simulateHistory(400, 77 + static_cast<std::uint64_t>(r)), options);
    claiming += std::any_of(result.family.claims.begin(), result.family.claims.end(),
                            [](const ClaimTest& c) { return c.standing == Standing::Shown; });
  }
  const double allowed = kLevel * kRecords + 3 * std::sqrt(kRecords * kLevel * (1 - kLevel));
  EXPECT_LE(claiming, allowed);
}

}  // namespace
}  // namespace quorvel::backtest
