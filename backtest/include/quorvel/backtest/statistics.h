#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace quorvel::backtest {

// The 95 % Wilson score interval for `hits` of `calls`: the proportions p whose normal test of
// hits/calls against p would not reject at the 5 % level. It stays inside 0...1 and, unlike the
// plain normal interval, keeps its coverage near 0 and 1.
std::pair<double, double> wilsonInterval(long long hits, long long calls);

// The expected number of runs of exactly `length` successes in `trials` independent trials that
// each succeed with probability p.
double expectedRuns(int length, long long trials, double p);

// The one-sided permutation p-value when `reached` of `shuffles` shuffles reach at least the
// observed value: (1 + reached) / (shuffles + 1), the record itself counted as one ordering.
double permutationPValue(std::uint64_t reached, std::uint64_t shuffles);

// The chance that a chi-squared variable of `df` degrees of freedom is `x` or more.
double chiSquaredTail(double x, double df);

// The chance that a standard normal variable lies |z| or more from 0, on either side.
double normalTwoSidedTail(double z);

// The standard normal quantile: the z below which a standard normal variable lies with chance p.
double normalQuantile(double p);

// The chance that a standard normal variable lies below z.
double normalCdf(double z);

// The one-sided Wilson upper bound at `confidence` for `hits` of `calls`: the largest proportion
// whose normal test of hits/calls against it, one-sided, would not reject; 1 for no call.
double wilsonUpperBound(long long hits, long long calls, double confidence);

// Holm's step-down adjustment of a family of p-values, in their given order: the i-th smallest
// is multiplied by (m - i + 1), capped at 1 and never below the adjusted value before it.
std::vector<double> holmAdjust(std::span<const double> pValues);

}  // namespace quorvel::backtest
