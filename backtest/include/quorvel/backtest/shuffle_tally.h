#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "quorvel/backtest/shuffles.h"

namespace quorvel::backtest {

// The permutation test's count: for each statistic of the record as it is, how many shuffles
// reach it. Shuffles may come in any order and in any parts, so nothing but the counts is kept,
// and for each output the few highest excess hits of the shuffles, which give the test's own
// critical value at kLevel / kOutputs.
class ShuffleTally {
 public:
  // `planned`: the shuffles that will be added.
  ShuffleTally(const ReplayStatistics& observed, std::uint64_t planned);
  void add(const ReplayStatistics& shuffle);

  // The smallest excess hits, in thousandths, whose p-value against the planned shuffles is within
  // kLevel / kOutputs, Holm's strictest step; nothing while they have not all come in, or when
  // so few that no p-value can be that small.
  std::optional<std::int64_t> criticalExcess(std::size_t output) const;

  std::uint64_t shuffles() const { return shuffles_; }
  // How many shuffles reached the record's excess hits, its count of the pattern and each list's
  // excess return.
  const std::array<std::uint64_t, engine::kOutputs>& excessReached() const { return excess_; }
  const std::array<std::uint64_t, engine::kOutputs>& patternsReached() const { return patterns_; }
  const std::array<std::uint64_t, engine::kLists>& returnReached() const { return return_; }

 private:
  ReplayStatistics observed_;
  std::uint64_t planned_ = 0, shuffles_ = 0;
  std::size_t kept_ = 0;  // how many of the highest excess hits each output keeps
  std::array<std::vector<std::int64_t>, engine::kOutputs> highest_;  // a min-heap each
  std::array<std::uint64_t, engine::kOutputs> excess_{}, patterns_{};
  std::array<std::uint64_t, engine::kLists> return_{};
};

}  // namespace quorvel::backtest
