#include "quorvel/backtest/permutation_test.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

#include "quorvel/backtest/summary.h"

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

}  // namespace

namespace {

static_assert(sizeof(engine::PlainGrid) == engine::kGridPeriods * sizeof(GridRow));

// Replays draws whose rows are stored newest first. Then the grid of the three draws before a
// draw, latest on top, is the twelve cells that follow its row, copied in one go: the shuffles
// replay millions of grids.
ReplayStatistics replayNewestFirst(std::span<const GridRow> rows) {
  std::array<Tally, engine::kOutputs> tallies;
  for (std::size_t r = rows.size() - std::min<std::size_t>(rows.size(), 3); r-- > 0;) {
    engine::PlainGrid cells;
    std::memcpy(cells.data(), rows[r + 1].data(), sizeof cells);
    const std::array<Call, engine::kOutputs> calls =
        scoreCalls(engine::runPredictionPass(cells), rows[r][3]);
    for (std::size_t i = 0; i < tallies.size(); ++i) tallies[i].add(calls[i]);
  }
  ReplayStatistics statistics;
  for (std::size_t i = 0; i < tallies.size(); ++i) {
    tallies[i].finish();
    statistics.excessThousandths[i] = tallies[i].excessThousandths();
    statistics.patterns[i] = tallies[i].patterns();
  }
  return statistics;
}

}  // namespace

void appendValues(const ReplayStatistics& statistics, std::vector<double>& values) {
  for (const std::int64_t value : statistics.excessThousandths)
    values.push_back(static_cast<double>(value));
  for (const std::int64_t value : statistics.patterns) values.push_back(static_cast<double>(value));
}

ReplayStatistics statisticsAt(std::span<const double> values, std::size_t k) {
  const std::span<const double> replay = values.subspan(k * kStatisticsValues, kStatisticsValues);
  ReplayStatistics statistics;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    statistics.excessThousandths[i] = static_cast<std::int64_t>(replay[i]);
    statistics.patterns[i] = static_cast<std::int64_t>(replay[engine::kOutputs + i]);
  }
  return statistics;
}

void ShuffleTally::add(const ReplayStatistics& shuffle) {
  ++shuffles_;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    excess_[i] += shuffle.excessThousandths[i] >= observed_.excessThousandths[i];
    patterns_[i] += shuffle.patterns[i] >= observed_.patterns[i];
  }
}

ReplayStatistics replayStatistics(std::span<const Draw> draws) {
  std::vector<GridRow> rows(draws.size());
  for (std::size_t i = 0; i < draws.size(); ++i) rows[draws.size() - 1 - i] = gridRow(draws[i]);
  return replayNewestFirst(rows);
}

std::vector<std::uint32_t> shuffleOrder(std::size_t count, std::uint64_t seed,
                                        std::uint64_t index) {
  std::mt19937_64 generator(mix(mix(seed) ^ index));
  std::vector<std::uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0U);
  for (std::size_t i = count; i > 1; --i)
    std::swap(order[i - 1], order[static_cast<std::size_t>(below(generator, i))]);
  return order;
}

std::vector<ReplayStatistics> replayShuffles(std::span<const Draw> draws, std::uint64_t seed,
                                             ShuffleRange range, unsigned threads,
                                             const std::function<void(std::uint64_t)>& done) {
  std::vector<ReplayStatistics> results(static_cast<std::size_t>(range.count));
  std::vector<GridRow> rows(draws.size());
  std::transform(draws.begin(), draws.end(), rows.begin(), gridRow);
  std::atomic<std::size_t> next{0};
  std::atomic<std::uint64_t> finished{0};
  auto work = [&](bool reports) {
    std::vector<GridRow> shuffled(draws.size());
    for (std::size_t k = next++; k < results.size(); k = next++) {
      const std::vector<std::uint32_t> order = shuffleOrder(draws.size(), seed, range.first + k);
      for (std::size_t i = 0; i < order.size(); ++i) {
        shuffled[order.size() - 1 - i] = rows[order[i]];
      }
      results[k] = replayNewestFirst(shuffled);
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

}  // namespace quorvel::backtest
