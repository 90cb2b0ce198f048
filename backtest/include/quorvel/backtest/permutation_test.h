#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "quorvel/backtest/draw_history.h"
#include "quorvel/backtest/replay.h"

namespace quorvel::backtest {

// The statistics of one replay of a history, output by output.
struct ReplayStatistics {
  std::array<std::int64_t, kOutputs> excessThousandths{};
  std::array<std::int64_t, kOutputs> patterns{};
};

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

}  // namespace quorvel::backtest
