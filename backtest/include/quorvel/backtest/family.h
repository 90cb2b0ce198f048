#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "quorvel/backtest/shuffles.h"

// The family of claims the backtest's verdict can make about the forecast, decided together: that
// an output hits more often than chance, that its calls show the disclaimer's pattern more often
// than chance, and that betting a list's sums returns more than chance. Every claim is tested on
// the same shuffles, and their p-values are adjusted together by Westfall and Young's step-down
// maxT on statistics standardised by the shuffles' own mean and spread, which uses the shuffles'
// dependence between the claims: on records whose order means nothing, the verdict claims
// anything at most kLevel of the time. (maxT rather than minP: its adjusted p-values vary much
// less from one set of shuffles to another, so that a thousand shuffles settle the verdict.)
namespace quorvel::backtest {

enum class ClaimKind : std::uint8_t { Hits, Pattern, Money };

struct Claim {
  engine::Output output;
  ClaimKind kind;
  bool operator==(const Claim&) const = default;
};

// The claims in the order the reports give them: the hits of the eight outputs, their patterns,
// then the money of the three lists.
inline constexpr std::size_t kClaims = 2 * engine::kOutputs + engine::kLists;
inline constexpr std::array<Claim, kClaims> kFamily = [] {
  std::array<Claim, kClaims> claims{};
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    claims[i] = {engine::kAllOutputs[i], ClaimKind::Hits};
    claims[engine::kOutputs + i] = {engine::kAllOutputs[i], ClaimKind::Pattern};
  }
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    claims[2 * engine::kOutputs + i] = {engine::kAllOutputs[i], ClaimKind::Money};
  }
  return claims;
}();

// Each claim's statistic on one ordering of the record: larger is more in the claim's favour.
using ClaimStatistics = std::array<std::int64_t, kClaims>;
ClaimStatistics claimStatistics(const ReplayStatistics& replay);

// How a claim stands after the adjustment. Its adjusted p-value is itself estimated from the
// shuffles; a claim whose Monte Carlo interval (kMonteCarloErrors standard errors either side)
// lies below the level is shown, one whose interval straddles it is borderline while more shuffles
// are still to come and undecided once the run adds no more, and the others show no evidence for
// it. So the verdict is the same whatever the seed, but for a claim that more shuffles would
// settle.
enum class Standing : std::uint8_t { NoEvidence, Borderline, Undecided, Shown };
inline constexpr double kMonteCarloErrors = 3;

// How many times the shuffles are resampled to measure the adjusted p-values' Monte Carlo error:
// fewer for many shuffles, whose error is small and whose resampling is long.
std::size_t bootstrapReplicates(std::size_t shuffles);

struct ClaimTest {
  double pValue = 1;           // the claim's own permutation p-value
  double pValueAdjusted = 1;   // adjusted over the family
  double monteCarloError = 0;  // the standard error of the adjusted p-value's estimate
  Standing standing = Standing::NoEvidence;
};

template <std::size_t N>
struct FamilyTestOf {
  std::array<ClaimTest, N> claims{};
  // Each claim's statistic over the orderings, the record once and each shuffle once: its mean
  // and its standard deviation.
  std::array<double, N> centre{}, spread{};
  // The standardised value a claim must reach for the family's first step to show it, the Monte
  // Carlo margin included, as "shown" asks: the level each test's power is measured at. Nothing
  // when no claim could be shown, as with too few shuffles.
  std::optional<double> criticalZ;
};
using FamilyTest = FamilyTestOf<kClaims>;

// Whether a claim of `family` is still on the line, so that more shuffles would settle it.
template <std::size_t N>
bool anyBorderline(const FamilyTestOf<N>& family) {
  for (const ClaimTest& claim : family.claims) {
    if (claim.standing == Standing::Borderline) return true;
  }
  return false;
}

// Once a run adds no more shuffles, a claim still on the line is undecided.
template <std::size_t N>
void leaveUndecided(FamilyTestOf<N>& family) {
  for (ClaimTest& claim : family.claims) {
    if (claim.standing == Standing::Borderline) claim.standing = Standing::Undecided;
  }
}

// The family's test of the record whose statistics are `observed`, against its shuffles'. Each
// p-value counts the record itself as one more ordering. The Monte Carlo error of each adjusted
// p-value is the spread of the adjusted p-values over resamples of the shuffles (drawn from
// `seed`), their mean and spread resampled with them. Without shuffles every claim stands at
// p = 1.
FamilyTest testFamily(const ClaimStatistics& observed, std::span<const ClaimStatistics> shuffles,
                      std::uint64_t seed);

// One record's part in a test of several together: its claims' statistics as it is, and on each
// of its shuffles by number.
template <std::size_t N>
struct RecordClaimsOf {
  std::array<std::int64_t, N> observed{};
  std::span<const std::array<std::int64_t, N>> shuffles;
};
using RecordClaims = RecordClaimsOf<kClaims>;

// The family's test on several records at once, each shuffled within itself: a claim's statistic
// is the sum over the records of its statistic standardised by that record's own orderings, and
// the sums are adjusted by the same step-down maxT, against the orderings the records' shuffles
// make together (as many as the fewest of them). For one record this is testFamily. The records
// have no common scale, so the result's centre and spread stay empty and criticalStatistic gives
// nothing.
FamilyTest testFamilyTogether(std::span<const RecordClaims> records, std::uint64_t seed);

// The same test for a family of any N claims, such as the strategies a trend chart suggests.
template <std::size_t N>
FamilyTestOf<N> testClaimsTogether(std::span<const RecordClaimsOf<N>> records, std::uint64_t seed);

// The shown claim in which the record's order shows chiefly: the one with the least adjusted
// p-value, the earlier of equals; nothing when none is shown.
std::optional<std::size_t> chiefClaim(const FamilyTest& family);

// The least value of claim `claim`'s statistic that the family's first step would show: the value
// the record must reach. Nothing when no claim could be shown.
std::optional<std::int64_t> criticalStatistic(const FamilyTest& family, std::size_t claim);

}  // namespace quorvel::backtest
