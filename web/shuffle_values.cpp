#include "shuffle_values.h"

namespace quorvel::web {

void appendValues(const backtest::ReplayStatistics& statistics, std::vector<double>& values) {
  for (const std::int64_t value : statistics.excessThousandths)
    values.push_back(static_cast<double>(value));
  for (const std::int64_t value : statistics.patterns) values.push_back(static_cast<double>(value));
  for (const std::int64_t value : statistics.excessReturnMills)
    values.push_back(static_cast<double>(value));
}

backtest::ReplayStatistics statisticsAt(std::span<const double> values, std::size_t k) {
  const std::span<const double> replay = values.subspan(k * kStatisticsValues, kStatisticsValues);
  backtest::ReplayStatistics statistics;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    statistics.excessThousandths[i] = static_cast<std::int64_t>(replay[i]);
    statistics.patterns[i] = static_cast<std::int64_t>(replay[engine::kOutputs + i]);
  }
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    statistics.excessReturnMills[i] = static_cast<std::int64_t>(replay[2 * engine::kOutputs + i]);
  }
  return statistics;
}

}  // namespace quorvel::web
