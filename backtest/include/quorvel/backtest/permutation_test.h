#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "quorvel/backtest/draw_history.h"
#include "quorvel/backtest/replay.h"

namespace quorvel::backtest {

// The statistics of one replay of a history, output by output.
struct ReplayStatistics {
  std::array<std::int64_t, engine::kOutputs> excessThousandths{};
  std::array<std::int64_t, engine::kOutputs> patterns{};
  std::array<std::int64_t, engine::kLists> excessReturnMills{};  // of betting each list's sums
  bool operator==(const ReplayStatistics&) const = default;
};

// ReplayStatistics as plain numbers, to cross a boundary that takes only numbers (the page's
// workers): kStatisticsValues a replay, exact, since every statistic is far below 2^53.
inline constexpr std::size_t kStatisticsValues = 2 * engine::kOutputs + engine::kLists;
void appendValues(const ReplayStatistics& statistics, std::vector<double>& values);
// The statistics of replay `k` of `values`, which holds whole replays as appendValues wrote them.
ReplayStatistics statisticsAt(std::span<const double> values, std::size_t k);

// Replays every draw from the fourth on against the three before it.
ReplayStatistics replayStatistics(std::span<const Draw> draws);

// The order of shuffle `index` for a history of `count` draws: a Fisher-Yates shuffle driven by
// std::mt19937_64 seeded from `seed` and `index`, with unbiased bounded draws, so that each
// shuffle is the same on every machine and in every thread.
std::vector<std::uint32_t> shuffleOrder(std::size_t count, std::uint64_t seed, std::uint64_t index);

// Shuffles `first` ... `first` + `count` - 1 of a permutation test. Each shuffle's order depends
// on its number alone, so the shuffles can be replayed in parts, in any order and anywhere.
struct ShuffleRange {
  std::uint64_t first = 0;
  std::uint64_t count = 0;
};

// Replays the shuffles of `range`, spread over `threads` threads (at least one). Entry k of the
// result is shuffle first + k's, whatever the number of threads. `done` is called on the calling
// thread with the number of shuffles finished so far.
std::vector<ReplayStatistics> replayShuffles(std::span<const Draw> draws, std::uint64_t seed,
                                             ShuffleRange range, unsigned threads,
                                             const std::function<void(std::uint64_t)>& done);

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
