#include "quorvel/backtest/family.h"

#include <algorithm>

#include "family_steps.h"

namespace quorvel::backtest {

template FamilyTestOf<kClaims> testClaimsTogether<kClaims>(std::span<const RecordClaimsOf<kClaims>>,
                                                           std::uint64_t);

ClaimStatistics claimStatistics(const ReplayStatistics& replay) {
  ClaimStatistics statistics{};
  std::copy(replay.excessThousandths.begin(), replay.excessThousandths.end(), statistics.begin());
  std::copy(replay.patterns.begin(), replay.patterns.end(), statistics.begin() + engine::kOutputs);
  std::copy(replay.excessReturnMills.begin(), replay.excessReturnMills.end(),
            statistics.begin() + 2 * engine::kOutputs);
  return statistics;
}

std::size_t bootstrapReplicates(std::size_t shuffles) {
  constexpr std::size_t kMost = 200, kLeast = 20, kWork = 20'000'000;  // shuffles resampled
  return std::clamp(kWork / std::max<std::size_t>(shuffles, 1), kLeast, kMost);
}

FamilyTest testFamily(const ClaimStatistics& observed, std::span<const ClaimStatistics> shuffles,
                      std::uint64_t seed) {
  const RecordClaims record{observed, shuffles};
  return testFamilyTogether({&record, 1}, seed);
}

FamilyTest testFamilyTogether(std::span<const RecordClaims> records, std::uint64_t seed) {
  return testClaimsTogether<kClaims>(records, seed);
}

std::optional<std::size_t> chiefClaim(const FamilyTest& family) {
  std::optional<std::size_t> chief;
  for (std::size_t j = 0; j < kClaims; ++j) {
    if (family.claims[j].standing != Standing::Shown) continue;
    if (!chief || family.claims[j].pValueAdjusted < family.claims[*chief].pValueAdjusted) chief = j;
  }
  return chief;
}

std::optional<std::int64_t> criticalStatistic(const FamilyTest& family, std::size_t claim) {
  if (!family.criticalZ || family.spread[claim] <= 0) return std::nullopt;
  if (!std::isfinite(*family.criticalZ)) return std::nullopt;
  return static_cast<std::int64_t>(
      std::ceil(family.centre[claim] + *family.criticalZ * family.spread[claim]));
}

}  // namespace quorvel::backtest
