#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "quorvel/backtest/record.h"
#include "quorvel/backtest/replay.h"

// The shuffles of a record: each a reordering of its draws fixed by the seed and its number, and
// the statistics of its replay.
namespace quorvel::backtest {

// The statistics of one replay of a history, output by output: what the permutation test asks
// (the excess hits, the disclaimer's pattern, the excess return of betting each list's sums) and
// the counts that give the shuffles' own centre (hits and calls; what betting each list staked
// and returned).
struct ReplayStatistics {
  std::array<std::int64_t, engine::kOutputs> excessThousandths{};
  std::array<std::int64_t, engine::kOutputs> patterns{};
  std::array<std::int64_t, engine::kLists> excessReturnMills{};
  std::array<std::int64_t, engine::kOutputs> hits{}, calls{};
  std::array<std::int64_t, engine::kLists> returnedMills{}, stakeYuan{};
  bool operator==(const ReplayStatistics&) const = default;
};

// Replays every draw from the fourth on against the three before it, and after each restart
// (a gap in the record) from the fourth after it on.
ReplayStatistics replayStatistics(std::span<const Draw> draws,
                                  std::span<const std::size_t> restarts = {},
                                  const game::Game& game = game::kWelfare3D);

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

// A record kept once for its shuffles, as the grid rows its passes read, so that any range of
// its shuffles can be replayed from it.
// A record with gaps replays its shuffles with the same restarts, at the same places: a shuffle
// keeps the record's shape, and only its order changes.
class ShuffledReplays {
 public:
  ShuffledReplays(std::span<const Draw> draws, std::span<const std::size_t> restarts,
                  const game::Game& game = game::kWelfare3D);
  // The same from the draws' digits alone, three a draw, oldest first: all that a shuffle needs.
  static ShuffledReplays fromDigits(std::span<const std::uint8_t> digits,
                                    std::span<const std::size_t> restarts,
                                    const game::Game& game = game::kWelfare3D);

  // Replays the shuffles of `range`, spread over `threads` threads (at least one). Entry k of
  // the result is shuffle first + k's, whatever the number of threads. `done` is called on the
  // calling thread with the number of shuffles finished so far.
  std::vector<ReplayStatistics> replay(std::uint64_t seed, ShuffleRange range, unsigned threads,
                                       const std::function<void(std::uint64_t)>& done) const;

 private:
  const game::Game* game_;  // whose bets the calls are scored at
  std::vector<GridRow> newestFirst_;
  std::vector<std::uint8_t> replayed_;  // whether the draw at each place, newest first, is replayed
};

// What a ShuffledReplays made fromDigits holds a draw while it replays on one thread: the rows
// newest first and the shuffled copy (8 bytes each), whether each is replayed (1) and the digits
// it was made from (3).
inline constexpr std::uint64_t kReplayBytesPerDraw = 20;
// What the replays of one record's shuffles, each on its own thread or worker, may hold together
// on a device with little memory to spare.
inline constexpr std::uint64_t kReplayMemoryBytes = std::uint64_t{100} << 20;

// How many replays of a record of `draws` draws fit side by side in kReplayMemoryBytes: at least
// one, so that a large record is replayed by fewer at a time rather than not at all.
std::uint64_t affordableReplays(std::uint64_t draws);

// ShuffledReplays(draws).replay(seed, range, threads, done).
std::vector<ReplayStatistics> replayShuffles(std::span<const Draw> draws, std::uint64_t seed,
                                             ShuffleRange range, unsigned threads,
                                             const std::function<void(std::uint64_t)>& done);

}  // namespace quorvel::backtest
