#include "quorvel/backtest/shuffles.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

#include "call_scoring.h"
#include "quorvel/backtest/settings.h"
#include "quorvel/backtest/summary.h"
#include "quorvel/game/draw.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::backtest {
namespace {

// SplitMix64: spreads consecutive shuffle numbers over unrelated generator seeds.
std::uint64_t mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// A uniform integer in 0...bound-1, by rejecting the incomplete last block of the 64-bit range.
// That block is shorter than `bound`, so below UINT64_MAX - bound + 1 no draw needs the division
// that finds where it starts.
std::uint64_t below(std::mt19937_64& generator, std::uint64_t bound) {
  std::uint64_t x = generator();
  if (x > UINT64_MAX - bound) {
    const std::uint64_t whole = UINT64_MAX - UINT64_MAX % bound;
    while (x >= whole) x = generator();
  }
  return x % bound;
}

static_assert(sizeof(engine::PlainGrid) == engine::kGridPeriods * sizeof(GridRow));

// Replays draws whose rows are stored newest first, those `replayed` says. Then the grid of the
// three draws before a draw, latest on top, is the twelve cells that follow its row, copied in
// one go: the shuffles replay millions of grids.
ReplayStatistics replayNewestFirst(std::span<const GridRow> rows,
                                   std::span<const std::uint8_t> replayed,
                                   const scoring::ScoringTables& tables) {
  std::array<Tally, engine::kOutputs> tallies;
  ReplayStatistics statistics;
  for (std::size_t r = rows.size() - std::min<std::size_t>(rows.size(), 3); r-- > 0;) {
    if (replayed[r] == 0) continue;
    engine::PlainGrid cells;
    std::memcpy(cells.data(), rows[r + 1].data(), sizeof cells);
    const std::array<Call, engine::kOutputs> calls =
        scoring::scoredCalls(engine::runPredictionPass(cells), rows[r][3], tables);
    for (std::size_t i = 0; i < tallies.size(); ++i) {
      tallies[i].add(calls[i]);
      statistics.hits[i] += calls[i].hit && calls[i].made;
      statistics.calls[i] += calls[i].made;
    }
    for (std::size_t i = 0; i < engine::kLists; ++i) {
      statistics.returnedMills[i] += calls[i].returnedMills;
      statistics.excessReturnMills[i] += calls[i].returnedMills - calls[i].expectedMills;
      statistics.stakeYuan[i] += calls[i].stakeYuan;
    }
  }
  for (std::size_t i = 0; i < tallies.size(); ++i) {
    tallies[i].finish();
    statistics.excessThousandths[i] = tallies[i].excessThousandths();
    statistics.patterns[i] = tallies[i].patterns();
  }
  return statistics;
}

// The grid rows of draws held oldest first, newest first.
std::vector<GridRow> rowsNewestFirst(std::span<const Draw> draws) {
  std::vector<GridRow> rows(draws.size());
  std::transform(draws.rbegin(), draws.rend(), rows.begin(), gridRow);
  return rows;
}

// The Fisher-Yates shuffle of `count` places for shuffle `index`, as the swaps it makes: swap(a, b)
// exchanges places a and b.
template <class Swap>
void fisherYates(std::size_t count, std::uint64_t seed, std::uint64_t index, Swap&& swap) {
  std::mt19937_64 generator(mix(mix(seed) ^ index));
  for (std::size_t i = count; i > 1; --i)
    swap(i - 1, static_cast<std::size_t>(below(generator, i)));
}

}  // namespace

// Whether the draw at each place, newest first, is replayed, as bytes for the shuffles' loop.
std::vector<std::uint8_t> replayedNewestFirst(std::size_t draws,
                                              std::span<const std::size_t> restarts) {
  const std::vector<bool> replayed = replayedDraws(draws, restarts);
  return {replayed.rbegin(), replayed.rend()};
}

ReplayStatistics replayStatistics(std::span<const Draw> draws,
                                  std::span<const std::size_t> restarts, const game::Game& game) {
  return replayNewestFirst(rowsNewestFirst(draws), replayedNewestFirst(draws.size(), restarts),
                           scoring::tablesFor(game));
}

std::vector<std::uint32_t> shuffleOrder(std::size_t count, std::uint64_t seed,
                                        std::uint64_t index) {
  std::vector<std::uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0U);
  fisherYates(count, seed, index,
              [&](std::size_t a, std::size_t b) { std::swap(order[a], order[b]); });
  return order;
}

ShuffledReplays::ShuffledReplays(std::span<const Draw> draws, std::span<const std::size_t> restarts,
                                 const game::Game& game)
    : game_(&game),
      newestFirst_(rowsNewestFirst(draws)),
      replayed_(replayedNewestFirst(draws.size(), restarts)) {}

ShuffledReplays ShuffledReplays::fromDigits(std::span<const std::uint8_t> digits,
                                            std::span<const std::size_t> restarts,
                                            const game::Game& game) {
  ShuffledReplays replays({}, {}, game);
  const std::size_t n = digits.size() / game::kDigitsDrawn;
  replays.newestFirst_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* d = &digits[game::kDigitsDrawn * i];
    replays.newestFirst_[n - 1 - i] = {d[0], d[1], d[2],
                                       static_cast<std::uint16_t>(d[0] + d[1] + d[2])};
  }
  replays.replayed_ = replayedNewestFirst(n, restarts);
  return replays;
}

std::vector<ReplayStatistics> ShuffledReplays::replay(
    std::uint64_t seed, ShuffleRange range, unsigned threads,
    const std::function<void(std::uint64_t)>& done) const {
  std::vector<ReplayStatistics> results(static_cast<std::size_t>(range.count));
  const scoring::ScoringTables& tables = scoring::tablesFor(*game_);
  const std::size_t n = newestFirst_.size();
  std::atomic<std::size_t> next{0};
  std::atomic<std::uint64_t> finished{0};
  auto work = [&](bool reports) {
    std::vector<GridRow> shuffled(n);
    for (std::size_t k = next++; k < results.size(); k = next++) {
      // The rows shuffled in place, newest first: the swaps of shuffleOrder's places, mirrored,
      // give the order it gives.
      shuffled = newestFirst_;
      fisherYates(n, seed, range.first + k, [&](std::size_t a, std::size_t b) {
        std::swap(shuffled[n - 1 - a], shuffled[n - 1 - b]);
      });
      results[k] = replayNewestFirst(shuffled, replayed_, tables);
      const std::uint64_t count = ++finished;
      if (reports && done) done(count);
    }
  };
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < std::max(threads, 1U); ++t) helpers.emplace_back(work, false);
  work(true);
  for (std::thread& helper : helpers) helper.join();
  if (done) done(range.count);
  return results;
}

std::uint64_t affordableReplays(std::uint64_t draws) {
  return std::max<std::uint64_t>(
      1, kReplayMemoryBytes / (std::max<std::uint64_t>(draws, 1) * kReplayBytesPerDraw));
}

std::vector<ReplayStatistics> replayShuffles(std::span<const Draw> draws, std::uint64_t seed,
                                             ShuffleRange range, unsigned threads,
                                             const std::function<void(std::uint64_t)>& done) {
  return ShuffledReplays(draws, {}).replay(seed, range, threads, done);
}

}  // namespace quorvel::backtest
