#include "shuffle_values.h"

#include <array>

namespace quorvel::web {
namespace {

// The statistics' fields in the order they cross: each output's, then each list's.
constexpr std::array kPerOutput = {
    &backtest::ReplayStatistics::excessThousandths, &backtest::ReplayStatistics::patterns,
    &backtest::ReplayStatistics::hits, &backtest::ReplayStatistics::calls};
constexpr std::array kPerList = {&backtest::ReplayStatistics::excessReturnMills,
                                 &backtest::ReplayStatistics::returnedMills,
                                 &backtest::ReplayStatistics::stakeYuan};

}  // namespace

void appendValues(const backtest::ReplayStatistics& statistics, std::vector<double>& values) {
  for (const auto field : kPerOutput) {
    for (const std::int64_t value : statistics.*field) values.push_back(static_cast<double>(value));
  }
  for (const auto field : kPerList) {
    for (const std::int64_t value : statistics.*field) values.push_back(static_cast<double>(value));
  }
}

backtest::ReplayStatistics statisticsAt(std::span<const double> values, std::size_t k) {
  const std::span<const double> replay = values.subspan(k * kStatisticsValues, kStatisticsValues);
  backtest::ReplayStatistics statistics;
  std::size_t at = 0;
  for (const auto field : kPerOutput) {
    for (std::int64_t& value : statistics.*field) value = static_cast<std::int64_t>(replay[at++]);
  }
  for (const auto field : kPerList) {
    for (std::int64_t& value : statistics.*field) value = static_cast<std::int64_t>(replay[at++]);
  }
  return statistics;
}

}  // namespace quorvel::web
