#pragma once

// The steps of the family's test, for a family of any number of claims: the forecast's claims
// (family.cpp) and the strategies' (strategies.cpp) are tested alike. Private to the backtest.

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <span>
#include <vector>

#include "quorvel/backtest/family.h"
#include "quorvel/backtest/settings.h"

namespace quorvel::backtest {
namespace steps {


inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Each claim's mean and standard deviation over the orderings of a record: the record itself
// once and shuffle b weights[b] times. The record counts as one of them, as it does in every
// p-value, so that all the orderings are standardised alike whichever of them is the record.
template <std::size_t N>
struct Scale {
  std::array<double, N> centre{}, spread{};

  // How many standard deviations `value` lies above the claim's mean; for a claim that never
  // varies, infinitely far above or below it, or on it.
  double z(std::size_t claim, std::int64_t value) const {
    const double d = static_cast<double>(value) - centre[claim];
    if (spread[claim] > 0) return d / spread[claim];
    return d > 0 ? kInfinity : d < 0 ? -kInfinity : 0;
  }
};

// Shuffle b of every record is made from the same random numbers, so records tested together
// take each other's shuffles one apart: the b-th ordering is shuffle b of the first record,
// shuffle b + 1 of the second, and so on round the n shuffles they share. Their orders are then
// independent of each other, as the records' are.
inline std::size_t pairedShuffle(std::size_t record, std::size_t b, std::size_t n) {
  return (b + record) % n;
}

template <std::size_t N>
Scale<N> scaleOf(const RecordClaimsOf<N>& record, std::size_t r, std::size_t n,
              const std::vector<std::uint32_t>& weights) {
  Scale<N> scale;
  double count = 1;
  for (std::size_t j = 0; j < N; ++j)
    scale.centre[j] = static_cast<double>(record.observed[j]);
  for (std::size_t b = 0; b < n; ++b) {
    const std::array<std::int64_t, N>& shuffle = record.shuffles[pairedShuffle(r, b, n)];
    count += weights[b];
    for (std::size_t j = 0; j < N; ++j)
      scale.centre[j] += weights[b] * static_cast<double>(shuffle[j]);
  }
  for (double& centre : scale.centre) centre /= count;
  for (std::size_t j = 0; j < N; ++j) {
    const double d = static_cast<double>(record.observed[j]) - scale.centre[j];
    scale.spread[j] = d * d;
  }
  for (std::size_t b = 0; b < n; ++b) {
    const std::array<std::int64_t, N>& shuffle = record.shuffles[pairedShuffle(r, b, n)];
    for (std::size_t j = 0; j < N; ++j) {
      const double d = static_cast<double>(shuffle[j]) - scale.centre[j];
      scale.spread[j] += weights[b] * d * d;
    }
  }
  for (double& spread : scale.spread) spread = std::sqrt(spread / std::max(count - 1, 1.0));
  return scale;
}

// Each claim's statistic on every ordering, standardised by its own record's orderings and added
// up over the records: the record as it is, then the n orderings of shuffles.
template <std::size_t N>
using Standard = std::array<double, N>;
template <std::size_t N>
struct Standardised {
  Standard<N> observed{};
  std::vector<Standard<N>> shuffles;
  Scale<N> first;  // the first record's scale, which turns a standardised value back into its own
};

template <std::size_t N>
std::size_t sharedShuffles(std::span<const RecordClaimsOf<N>> records) {
  std::size_t n = records.empty() ? 0 : records.front().shuffles.size();
  for (const RecordClaimsOf<N>& record : records) n = std::min(n, record.shuffles.size());
  return n;
}

template <std::size_t N>
Standardised<N> standardised(std::span<const RecordClaimsOf<N>> records,
                          const std::vector<std::uint32_t>& weights) {
  const std::size_t n = sharedShuffles(records);
  Standardised<N> out;
  out.shuffles.assign(n, Standard<N>{});
  for (std::size_t r = 0; r < records.size(); ++r) {
    const Scale<N> scale = scaleOf(records[r], r, n, weights);
    if (r == 0) out.first = scale;
    for (std::size_t j = 0; j < N; ++j) out.observed[j] += scale.z(j, records[r].observed[j]);
    for (std::size_t b = 0; b < n; ++b) {
      const std::array<std::int64_t, N>& shuffle = records[r].shuffles[pairedShuffle(r, b, n)];
      for (std::size_t j = 0; j < N; ++j) out.shuffles[b][j] += scale.z(j, shuffle[j]);
    }
  }
  return out;
}

// The claims from the most to the least significant on the record, the earlier of equals first.
template <std::size_t N>
std::array<std::size_t, N> stepOrder(const std::array<double, N>& observed) {
  std::array<std::size_t, N> order{};
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return observed[a] > observed[b]; });
  return order;
}

// Each claim's adjusted p-value by step-down maxT: at step k, the share of orderings (the record
// once, ordering b weights[b] times) whose largest standardised statistic among the claims from
// step k on reaches the record's of step k; never less than at the step before.
template <std::size_t N>
std::array<double, N> adjusted(const Standardised<N>& z,
                                     const std::vector<std::uint32_t>& weights) {
  const std::array<std::size_t, N> order = stepOrder<N>(z.observed);
  std::array<std::uint64_t, N> beaten{};
  beaten.fill(1);  // the record reaches itself at every step
  std::uint64_t total = 1;
  for (std::size_t b = 0; b < z.shuffles.size(); ++b) {
    if (weights[b] == 0) continue;
    total += weights[b];
    double most = -kInfinity;
    for (std::size_t k = N; k-- > 0;) {
      most = std::max(most, z.shuffles[b][order[k]]);
      beaten[k] += most >= z.observed[order[k]] ? weights[b] : 0;
    }
  }
  std::array<double, N> adjustedP{};
  double floor = 0;
  for (std::size_t k = 0; k < N; ++k) {
    floor = std::max(floor, static_cast<double>(beaten[k]) / static_cast<double>(total));
    adjustedP[order[k]] = floor;
  }
  return adjustedP;
}

// The standard deviation of each claim's adjusted p-value over resamples of the orderings, with
// replacement and as many as there are, drawn from a generator seeded with `seed`.
template <std::size_t N>
std::array<double, N> monteCarloErrors(std::span<const RecordClaimsOf<N>> records,
                                             std::uint64_t seed) {
  const std::size_t n = sharedShuffles(records);
  const std::size_t replicates = bootstrapReplicates(n);
  std::mt19937_64 random(seed ^ 0xB0075781ULL);
  std::array<double, N> sum{}, squares{};
  std::vector<std::uint32_t> weights(n);
  for (std::size_t r = 0; r < replicates; ++r) {
    std::fill(weights.begin(), weights.end(), 0U);
    for (std::size_t b = 0; b < n; ++b) ++weights[random() % n];
    const std::array<double, N> p = adjusted<N>(standardised<N>(records, weights), weights);
    for (std::size_t j = 0; j < N; ++j) {
      sum[j] += p[j];
      squares[j] += p[j] * p[j];
    }
  }
  std::array<double, N> errors{};
  const auto count = static_cast<double>(replicates);
  for (std::size_t j = 0; j < N; ++j) {
    errors[j] = std::sqrt(std::max(0.0, (squares[j] - sum[j] * sum[j] / count) / (count - 1)));
  }
  return errors;
}

inline Standing standing(double p, double error) {
  if (p + kMonteCarloErrors * error < kLevel) return Standing::Shown;
  if (p - kMonteCarloErrors * error < kLevel) return Standing::Borderline;
  return Standing::NoEvidence;
}

// The most shuffles that may reach the record's largest standardised statistic for the first step
// to show a claim, Monte Carlo margin included: with k of B shuffles reaching it the adjusted p is
// (1 + k) / (B + 1), and resampling the shuffles spreads k as a binomial count, so its error is
// sqrt(k (1 - k / B)) / (B + 1). The largest k whose p lies kMonteCarloErrors such errors below
// the level; nothing when even k = 0 does not.
inline std::optional<std::size_t> mostReaching(std::size_t shuffles) {
  const auto b = static_cast<double>(shuffles);
  const auto shows = [&](std::size_t k) {
    const auto reached = static_cast<double>(k);
    const double error = std::sqrt(reached * (1 - reached / std::max(b, 1.0)));
    return 1 + reached + kMonteCarloErrors * error < kLevel * (b + 1);
  };
  if (!shows(0)) return std::nullopt;
  std::size_t k = 0;
  while (k + 1 <= shuffles && shows(k + 1)) ++k;
  return k;
}

// The least standardised value the first step shows: one that at most mostReaching shuffles'
// largest standardised statistic reach, so that the claim's adjusted p lies below the level by
// the Monte Carlo margin, as "shown" asks. Nothing when even the largest would not do.
template <std::size_t N>
std::optional<double> criticalZ(const Standardised<N>& z) {
  const std::optional<std::size_t> most = mostReaching(z.shuffles.size());
  if (!most) return std::nullopt;
  std::vector<double> largest;
  largest.reserve(z.shuffles.size());
  for (const Standard<N>& shuffle : z.shuffles) {
    largest.push_back(*std::max_element(shuffle.begin(), shuffle.end()));
  }
  std::sort(largest.begin(), largest.end(), std::greater<>());
  if (*most >= largest.size()) return -kInfinity;
  const double critical = largest[*most];
  if (!std::isfinite(critical)) return std::nullopt;
  return std::nextafter(critical, kInfinity);
}

}  // namespace steps

template <std::size_t N>
FamilyTestOf<N> testClaimsTogether(std::span<const RecordClaimsOf<N>> records, std::uint64_t seed) {
  using namespace steps;
  FamilyTestOf<N> family;
  const std::size_t n = sharedShuffles(records);
  if (n == 0) return family;
  const std::vector<std::uint32_t> once(n, 1U);
  const Standardised<N> z = standardised<N>(records, once);
  const std::array<double, N> adjustedP = adjusted<N>(z, once);
  const std::array<double, N> errors = monteCarloErrors<N>(records, seed);
  for (std::size_t j = 0; j < N; ++j) {
    ClaimTest& test = family.claims[j];
    const auto reached = std::count_if(z.shuffles.begin(), z.shuffles.end(),
                                       [&](const Standard<N>& s) { return s[j] >= z.observed[j]; });
    test.pValue = static_cast<double>(1 + reached) / static_cast<double>(n + 1);
    test.pValueAdjusted = adjustedP[j];
    test.monteCarloError = errors[j];
    test.standing = standing(test.pValueAdjusted, test.monteCarloError);
  }
  family.criticalZ = criticalZ<N>(z);
  // A statistic of one record reads its critical value off its own scale; records together
  // have no single scale to read it off.
  if (records.size() == 1) {
    family.centre = z.first.centre;
    family.spread = z.first.spread;
  }
  return family;
}

}  // namespace quorvel::backtest
