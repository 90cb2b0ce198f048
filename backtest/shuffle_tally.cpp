#include "quorvel/backtest/shuffle_tally.h"

namespace quorvel::backtest {

void ShuffleTally::add(std::uint64_t index, const ReplayStatistics& shuffle) {
  if (claims_.size() <= index) claims_.resize(static_cast<std::size_t>(index) + 1);
  claims_[static_cast<std::size_t>(index)] = claimStatistics(shuffle);
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
