#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "quorvel/backtest/record.h"
#include "quorvel/backtest/family.h"
#include "quorvel/backtest/later_draws.h"
#include "quorvel/backtest/output_test.h"
#include "quorvel/backtest/power.h"
#include "quorvel/backtest/settings.h"
#include "quorvel/backtest/shuffle_tally.h"
#include "quorvel/backtest/summary.h"

namespace quorvel::backtest {

struct BacktestOptions {
  std::uint64_t shuffles = 0;         // reorderings of the history for the permutation test
  std::uint64_t seed = kDefaultSeed;  // drives the shuffles
  unsigned threads = 1;               // threads for the shuffles; the result does not depend on it
  RecordNotes notes;  // how the record ran, its gaps (the replay starts again after each)
  // The game whose record this is: its bets price the lists, and its verdict's period begins the
  // later draws.
  const game::Game* game = &game::kWelfare3D;
  // Whether the draws after the game's verdict was fixed are also scored apart, as the test on later draws:
  // for a record, whose periods are its draws' own; not for simulated draws.
  bool laterDraws = true;
  // Called with each replayed pass of the history as it is, in order, as it is made.
  std::function<void(const Replayed&)> onReplay;
};

// The options of a backtest with `settings` of a record with `notes`: its shuffles, seed and
// threads, its gaps, and the later draws scored apart unless the draws are simulated.
BacktestOptions backtestOptions(const Settings& settings, const RecordNotes& notes);

// Reports progress: the phase ("replayed", "shuffled"), how far it is, and of how many; a total
// of 0 means it is not known in advance, as for draws that come as a stream.
using Progress = std::function<void(const char* phase, std::uint64_t done, std::uint64_t total)>;

struct BacktestResult {
  const game::Game* game = &game::kWelfare3D;
  Summary summary;
  std::uint64_t shuffles = 0;
  std::uint64_t seed = 0;
  RecordNotes notes;
  std::array<OutputTest, engine::kOutputs> tests;
  FamilyTest family;  // every claim the verdict can make, adjusted together
  // Every shuffle's claim statistics, by its number: what a test of this record together with
  // another reads.
  std::vector<ClaimStatistics> shuffleClaims;
  Powers power;       // how large an edge each output's test would catch
  // The draws of a record after the one the verdict was fixed on, scored as they came.
  std::optional<LaterDraws> laterDraws;
  // Whether the record and the shuffles are enough to tell: the family's first step can show a
  // claim, and each output's test would catch an edge of kLargeEdge four times in five.
  bool canTell() const;
};

// Replays `record`, oldest draw first: scores every pass against the draw after it and, with
// shuffles, runs the permutation test over the record (with more shuffles while a claim is
// borderline), which it reads in place and does not copy. With options.laterDraws, the draws
// after the game's verdict was fixed, if it has any, are also scored apart. Throws BacktestError
// (TooFewDraws) for fewer than kMinimumDraws draws.
BacktestResult runBacktest(std::span<const Draw> record, const BacktestOptions& options,
                           const Progress& progress = {});

// The same over the draws that `next` yields as they come (it fills one and returns true, or
// returns false at the end). With shuffles the record is kept in memory for them; without,
// memory stays flat however many draws come.
BacktestResult runBacktest(const std::function<bool(Draw&)>& next, const BacktestOptions& options,
                           const Progress& progress = {});

// Where a claim is borderline after the shuffles asked for, the backtest runs as many again, and
// again doubling, until none is or the shuffles reach kMoreShufflesFactor times those asked for
// (and at most kMaxShuffles): more shuffles settle a borderline claim one way or the other. A
// claim still borderline there is undecided.
inline constexpr std::uint64_t kMoreShufflesFactor = 16;

// The most shuffles a run adds up to when `asked` were asked for.
std::uint64_t shuffleCap(std::uint64_t asked);

// How many more shuffles `result` needs when `asked` were asked for: as many as it has while a
// claim is borderline and the cap allows, else 0.
std::uint64_t moreShuffles(const BacktestResult& result, std::uint64_t asked);

// The statistics of the record as it is, which the shuffles are held against.
ReplayStatistics observedStatistics(const BacktestResult& result);

// Ends the permutation test of a result made without shuffles, against shuffles counted
// elsewhere when `asked` were asked for: the result then has tally.shuffles() shuffles, exactly
// as if runBacktest had replayed them, and a claim still borderline once the shuffles reach the
// cap is undecided. Throws std::logic_error for a tally that lacks a planned shuffle.
void testAgainstShuffles(const ShuffleTally& tally, BacktestResult& result, std::uint64_t asked);

}  // namespace quorvel::backtest
