#include "quorvel/backtest/shuffle_tally.h"

#include <algorithm>
#include <functional>

#include "quorvel/backtest/settings.h"

namespace quorvel::backtest {

ShuffleTally::ShuffleTally(const ReplayStatistics& observed, std::uint64_t planned)
    : observed_(observed),
      planned_(planned),
      // A p-value (1 + reached) / (planned + 1) is within the level while reached < kept_.
      kept_(
          static_cast<std::size_t>(kLevel / engine::kOutputs * static_cast<double>(planned + 1))) {}

std::optional<std::int64_t> ShuffleTally::criticalExcess(std::size_t output) const {
  if (kept_ == 0 || shuffles_ != planned_ || highest_[output].size() < kept_) return std::nullopt;
  return highest_[output].front() + 1;  // the kept_-th highest, exceeded
}

void ShuffleTally::add(const ReplayStatistics& shuffle) {
  ++shuffles_;
  for (std::size_t i = 0; i < engine::kOutputs && kept_ > 0; ++i) {
    std::vector<std::int64_t>& highest = highest_[i];
    const std::int64_t excess = shuffle.excessThousandths[i];
    if (highest.size() == kept_ && excess <= highest.front()) continue;
    highest.push_back(excess);
    std::push_heap(highest.begin(), highest.end(), std::greater<>());
    if (highest.size() > kept_) {
      std::pop_heap(highest.begin(), highest.end(), std::greater<>());
      highest.pop_back();
    }
  }
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    excess_[i] += shuffle.excessThousandths[i] >= observed_.excessThousandths[i];
    patterns_[i] += shuffle.patterns[i] >= observed_.patterns[i];
  }
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    return_[i] += shuffle.excessReturnMills[i] >= observed_.excessReturnMills[i];
  }
}

}  // namespace quorvel::backtest
