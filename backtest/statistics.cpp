#include "quorvel/backtest/statistics.h"

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <numeric>

namespace quorvel::backtest {

std::pair<double, double> wilsonInterval(long long hits, long long calls) {
  if (calls == 0) return {0, 0};
  constexpr double z = 1.959963984540054;
  const double n = static_cast<double>(calls);
  const double p = static_cast<double>(hits) / n;
  const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
  const double half = z / (1 + z * z / n) * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n));
  return {centre - half, centre + half};
}

double expectedRuns(int length, long long trials, double p) {
  const double k = length;
  const double n = static_cast<double>(trials);
  if (length > trials) return 0;
  if (length == trials) return std::pow(p, k);
  // A run at either end has one neighbour that must fail, one inside has two.
  return 2 * std::pow(p, k) * (1 - p) + (n - k - 1) * std::pow(p, k) * (1 - p) * (1 - p);
}

double permutationPValue(std::uint64_t reached, std::uint64_t shuffles) {
  return static_cast<double>(1 + reached) / static_cast<double>(shuffles + 1);
}

namespace {

// Boost.Math computes in double, not long double: doubles are exact enough (to about 1e-15) and
// WebAssembly has no hardware long double, whose software form would double the page's engine.
using Precision = boost::math::policies::policy<boost::math::policies::promote_double<false>>;
using ChiSquared = boost::math::chi_squared_distribution<double, Precision>;
using Normal = boost::math::normal_distribution<double, Precision>;

}  // namespace

double chiSquaredTail(double x, double df) {
  if (x <= 0) return 1;
  return boost::math::cdf(boost::math::complement(ChiSquared(df), x));
}

double normalTwoSidedTail(double z) {
  return 2 * boost::math::cdf(boost::math::complement(Normal(), std::fabs(z)));
}

double normalQuantile(double p) { return boost::math::quantile(Normal(), p); }

double normalCdf(double z) { return boost::math::cdf(Normal(), z); }

double wilsonUpperBound(long long hits, long long calls, double confidence) {
  if (calls == 0) return 1;
  const double z = normalQuantile(confidence);
  const double n = static_cast<double>(calls);
  const double p = static_cast<double>(hits) / n;
  const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
  const double half = z / (1 + z * z / n) * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n));
  return std::min(1.0, centre + half);
}

std::vector<double> holmAdjust(std::span<const double> pValues) {
  const std::size_t m = pValues.size();
  std::vector<std::size_t> order(m);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return pValues[a] < pValues[b]; });
  std::vector<double> adjusted(m);
  double floor = 0;
  for (std::size_t rank = 0; rank < m; ++rank) {
    const std::size_t i = order[rank];
    floor = std::max(floor, std::min(1.0, static_cast<double>(m - rank) * pValues[i]));
    adjusted[i] = floor;
  }
  return adjusted;
}

}  // namespace quorvel::backtest
