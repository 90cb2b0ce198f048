#pragma once

#include <utility>

#include "quorvel/backtest/output_test.h"
#include "quorvel/backtest/summary.h"

// How large the forecast's effects are, measured against what shuffles of the same record score
// (their centre keeps the record's own frequencies, so a record's quirks are not taken for an
// edge), with how uncertain each is.
namespace quorvel::backtest {

// An output's hit rate above the shuffles' centre, and the one-sided 95 % upper bound on it that
// the record's calls allow (Wilson's); both as fractions, the bound never below the edge.
double edge(const OutputSummary& output, const OutputTest& test);
double edgeUpper95(const OutputSummary& output, const OutputTest& test);

// The 95 % interval of the return rate of betting a list's sums, by the delta method over its
// passes (the return rate is a ratio of two sums).
std::pair<double, double> returnRateInterval95(const OutputSummary& output);

// The hit rate at which betting a list's sums would return its stake: its chance rate divided by
// blind bets' return rate. Above 1, no hit rate would.
double breakEvenHitRate(const OutputSummary& output);

}  // namespace quorvel::backtest
