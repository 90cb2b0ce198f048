#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "quorvel/backtest/shuffles.h"

// The statistics of shuffles as plain numbers, the form in which they cross from the workers that
// replay them to the one that tests the record: kStatisticsValues a replay, exact, since every
// statistic is far below 2^53.
namespace quorvel::web {

inline constexpr std::size_t kStatisticsValues = 4 * engine::kOutputs + 3 * engine::kLists;

void appendValues(const backtest::ReplayStatistics& statistics, std::vector<double>& values);

// The statistics of replay `k` of `values`, which holds whole replays as appendValues wrote them.
backtest::ReplayStatistics statisticsAt(std::span<const double> values, std::size_t k);

}  // namespace quorvel::web
