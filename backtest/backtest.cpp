#include "quorvel/backtest/backtest.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "quorvel/backtest/statistics.h"

namespace quorvel::backtest {

namespace {

// Replays the draws `next` yields into `result`, keeping them in `kept` when it is given; the
// number of draws. `total` is the number of passes, 0 when not known. After each of the options'
// restarts the replay waits for three draws again.
std::uint64_t replayAll(const std::function<bool(Draw&)>& next, const BacktestOptions& options,
                        const Progress& progress, std::uint64_t total, BacktestResult& result,
                        std::vector<Draw>* kept) {
  std::array<Draw, 4> window{};
  std::uint64_t count = 0, start = 0;
  auto restart = options.notes.restarts.begin();
  for (Draw draw; next(draw); ++count) {
    if (kept) kept->push_back(draw);
    window[count % 4] = draw;
    if (restart != options.notes.restarts.end() && *restart == count) {
      start = count;
      ++restart;
    }
    if (count < start + 3) continue;
    const Replayed replayed =
        replay(window[(count - 3) % 4], window[(count - 2) % 4], window[(count - 1) % 4], draw,
               *options.game);
    result.summary.add(replayed);
    if (options.laterDraws && isLaterDraw(replayed.period, *options.game)) {
      if (!result.laterDraws) result.laterDraws.emplace().since = options.game->verdictFixedThrough;
      result.laterDraws->add(replayed);
    }
    if (options.onReplay) options.onReplay(replayed);
    if (progress && count % 65536 == 0) progress("replayed", count - 2, total);
  }
  if (count < kMinimumDraws) throw BacktestError({Fault::TooFewDraws, 0, 0, count});
  result.summary.finish();
  return count;
}

BacktestResult started(const BacktestOptions& options) {
  BacktestResult result;
  result.game = options.game;
  result.seed = options.seed;
  result.notes = options.notes;
  return result;
}

// Replays the shuffles of `record` the options ask for, a part at a time, and tests the result
// against them; then more while a claim is borderline.
void testAgainstShuffles(std::span<const Draw> record, const BacktestOptions& options,
                         const Progress& progress, BacktestResult& result) {
  constexpr std::uint64_t kPart = 4096;
  ShuffleTally tally(options.shuffles);
  const ShuffledReplays shuffled(options.shuffles > 0 ? record : std::span<const Draw>{},
                                 options.notes.restarts, *options.game);
  std::uint64_t planned = options.shuffles;
  for (;;) {
    for (std::uint64_t first = tally.shuffles(); first < planned; first = tally.shuffles()) {
      const std::uint64_t count = std::min(kPart, planned - first);
      const std::vector<ReplayStatistics> part =
          shuffled.replay(options.seed, {first, count}, options.threads, [&](std::uint64_t done) {
            if (progress) progress("shuffled", first + done, planned);
          });
      for (std::size_t k = 0; k < part.size(); ++k) tally.add(first + k, part[k]);
    }
    testAgainstShuffles(tally, result, options.shuffles);
    const std::uint64_t more = moreShuffles(result, options.shuffles);
    if (more == 0) return;
    planned += more;
    tally.plan(planned);
  }
}

}  // namespace

ReplayStatistics observedStatistics(const BacktestResult& result) {
  ReplayStatistics observed;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    observed.excessThousandths[i] = o.tally.excessThousandths();
    observed.patterns[i] = o.tally.patterns();
    observed.hits[i] = o.hits;
    observed.calls[i] = o.calls;
  }
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    observed.excessReturnMills[i] = o.excessReturnMills();
    observed.returnedMills[i] = 1000 * o.money.returnedYuan;
    observed.stakeYuan[i] = o.money.stakeYuan;
  }
  return observed;
}

namespace {

// Each claim's own p-value, and Holm's adjustment within its kind: the tests taken alone.
void testEachClaim(const FamilyTest& family, BacktestResult& result) {
  const auto pValues = [&](std::size_t first, std::size_t count) {
    std::vector<double> p;
    for (std::size_t j = first; j < first + count; ++j) p.push_back(family.claims[j].pValue);
    return p;
  };
  const std::vector<double> hits = pValues(0, engine::kOutputs);
  const std::vector<double> patterns = pValues(engine::kOutputs, engine::kOutputs);
  const std::vector<double> money = pValues(2 * engine::kOutputs, engine::kLists);
  const std::vector<double> hitsHolm = holmAdjust(hits), patternsHolm = holmAdjust(patterns);
  const std::vector<double> moneyHolm = holmAdjust(money);
  const ReplayStatistics observed = observedStatistics(result);
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    OutputTest& test = result.tests[i];
    test = {observed.excessThousandths[i], hits[i],     hitsHolm[i],
            observed.patterns[i],          patterns[i], patternsHolm[i]};
    if (i >= engine::kLists) continue;
    test.excessReturnMills = observed.excessReturnMills[i];
    test.returnPValue = money[i];
    test.returnPValueHolm = moneyHolm[i];
  }
}

// The shuffles' own centre of each output, or chance's without shuffles.
void centres(const ShuffleTally& tally, BacktestResult& result) {
  const ReplayStatistics& totals = tally.totals();
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    OutputTest& test = result.tests[i];
    test.nullHitRate = totals.calls[i] > 0 ? static_cast<double>(totals.hits[i]) /
                                                 static_cast<double>(totals.calls[i])
                                           : o.chanceRate();
    if (i >= engine::kLists) continue;
    test.nullReturnRate = totals.stakeYuan[i] > 0
                              ? static_cast<double>(totals.returnedMills[i]) / 1000.0 /
                                    static_cast<double>(totals.stakeYuan[i])
                              : o.expectedRate();
  }
}

}  // namespace

std::uint64_t shuffleCap(std::uint64_t asked) {
  return std::min(kMoreShufflesFactor * asked, kMaxShuffles);
}

void testAgainstShuffles(const ShuffleTally& tally, BacktestResult& result, std::uint64_t asked) {
  if (!tally.complete()) {
    throw std::logic_error("the test needs every planned shuffle: " +
                           std::to_string(tally.shuffles()) + " of " +
                           std::to_string(tally.planned()) + " are in");
  }
  const ClaimStatistics observed = claimStatistics(observedStatistics(result));
  result.family = testFamily(observed, tally.claims(), result.seed);
  testEachClaim(result.family, result);
  centres(tally, result);
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    result.tests[i].criticalExcessThousandths = criticalStatistic(result.family, i);
  }
  result.shuffles = tally.shuffles();
  result.shuffleClaims = tally.claims();
  result.power = powerOfTest(result.summary, result.tests, result.shuffles);
  // A claim still on the line when the run adds no more shuffles stays undecided.
  if (result.shuffles >= shuffleCap(asked)) leaveUndecided(result.family);
}

std::uint64_t moreShuffles(const BacktestResult& result, std::uint64_t asked) {
  const std::uint64_t cap = shuffleCap(asked);
  if (!anyBorderline(result.family) || result.shuffles >= cap) return 0;
  return std::min(result.shuffles, cap - result.shuffles);
}

bool BacktestResult::canTell() const {
  return family.criticalZ.has_value() &&
         std::all_of(power.begin(), power.end(),
                     [](const Power& p) { return p.atLargeEdge >= kPowerWanted; });
}

BacktestOptions backtestOptions(const Settings& settings, const RecordNotes& notes) {
  BacktestOptions options;
  options.shuffles = settings.shuffles;
  options.seed = settings.seed;
  options.threads = settings.threads;
  options.notes = notes;
  options.laterDraws = !settings.simulated;
  return options;
}

BacktestResult runBacktest(std::span<const Draw> record, const BacktestOptions& options,
                           const Progress& progress) {
  BacktestResult result = started(options);
  std::size_t next = 0;
  const auto fromRecord = [&](Draw& draw) {
    if (next == record.size()) return false;
    draw = record[next++];
    return true;
  };
  replayAll(fromRecord, options, progress, replayedPasses(record.size(), options.notes.restarts),
            result, nullptr);
  testAgainstShuffles(record, options, progress, result);
  return result;
}

BacktestResult runBacktest(const std::function<bool(Draw&)>& next, const BacktestOptions& options,
                           const Progress& progress) {
  BacktestResult result = started(options);
  std::vector<Draw> kept;
  replayAll(next, options, progress, 0, result, options.shuffles > 0 ? &kept : nullptr);
  testAgainstShuffles(kept, options, progress, result);
  return result;
}

}  // namespace quorvel::backtest
