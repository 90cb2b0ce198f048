#include "quorvel/backtest/shuffle_tally.h"

#include <stdexcept>
#include <string>

namespace quorvel::backtest {

void ShuffleTally::plan(std::uint64_t planned) {
  if (planned <= claims_.size()) return;
  claims_.resize(static_cast<std::size_t>(planned));
  held_.resize(static_cast<std::size_t>(planned), false);
}

void ShuffleTally::add(std::uint64_t index, const ReplayStatistics& shuffle) {
  if (index >= claims_.size()) {
    throw std::invalid_argument("shuffle " + std::to_string(index) + " was not planned (" +
                                std::to_string(claims_.size()) + " were)");
  }
  const auto at = static_cast<std::size_t>(index);
  if (held_[at]) throw std::invalid_argument("shuffle " + std::to_string(index) + " came twice");
  held_[at] = true;
  claims_[at] = claimStatistics(shuffle);
  ++added_;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    totals_.hits[i] += shuffle.hits[i];
    totals_.calls[i] += shuffle.calls[i];
  }
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    totals_.returnedMills[i] += shuffle.returnedMills[i];
    totals_.stakeYuan[i] += shuffle.stakeYuan[i];
  }
}

}  // namespace quorvel::backtest
