#include "quorvel/backtest/list_trace.h"

#include <algorithm>

namespace quorvel::backtest {
ListTrace::ListTrace(std::uint64_t passes)
    : passes_(passes), window_(std::max<std::uint64_t>(50, passes / 100)) {
  constexpr std::uint64_t kPoints = 600;
  const std::uint64_t points = std::min(passes, kPoints);
  for (std::uint64_t p = 0; p < points && passes >= window_; ++p) {
    ends_.push_back(window_ + (passes - window_) * p / std::max<std::uint64_t>(points - 1, 1));
  }
  marks_.push_back(0);
  for (const std::uint64_t end : ends_) {
    marks_.push_back(end - window_);
    marks_.push_back(end);
  }
  std::sort(marks_.begin(), marks_.end());
  marks_.erase(std::unique(marks_.begin(), marks_.end()), marks_.end());
  atMark_.resize(marks_.size());
}

void ListTrace::add(const Replayed& r) {
  const int year = periodYear(r.period);
  allHaveYears_ = allHaveYears_ && year != 0;
  if (allHaveYears_ && (years_.empty() || years_.back().year != year))
    years_.push_back({seen_, year});
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    if (!r.calls[i].made) continue;
    running_.calls[i] += 1;
    running_.hits[i] += r.calls[i].hit ? 1 : 0;
    running_.chance[i] += r.calls[i].chance();
    running_.staked[i] += r.calls[i].stakeYuan;
    running_.returned[i] += r.calls[i].returnedMills / 1000.0;
    running_.expected[i] += r.calls[i].expectedMills / 1000.0;
  }
  ++seen_;
  while (nextMark_ < marks_.size() && marks_[nextMark_] <= seen_) {
    if (marks_[nextMark_] == seen_) atMark_[nextMark_] = running_;
    ++nextMark_;
  }
}

const ListTrace::Totals& ListTrace::totalsAfter(std::uint64_t passes) const {
  const auto mark = std::lower_bound(marks_.begin(), marks_.end(), passes);
  return atMark_[static_cast<std::size_t>(mark - marks_.begin())];
}

}  // namespace quorvel::backtest
