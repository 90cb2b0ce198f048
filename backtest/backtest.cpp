#include "quorvel/backtest/backtest.h"

#include <algorithm>
#include <vector>

#include "quorvel/backtest/statistics.h"

namespace quorvel::backtest {

namespace {

// Replays the draws `next` yields into `result`, keeping them in `kept` when it is given; the
// number of draws. `total` is the number of passes, 0 when not known.
std::uint64_t replayAll(const std::function<bool(Draw&)>& next, const BacktestOptions& options,
                        const Progress& progress, std::uint64_t total, BacktestResult& result,
                        std::vector<Draw>* kept) {
  std::array<Draw, 4> window{};
  std::uint64_t count = 0;
  for (Draw draw; next(draw); ++count) {
    if (kept) kept->push_back(draw);
    window[count % 4] = draw;
    if (count < 3) continue;
    const Replayed replayed =
        replay(window[(count - 3) % 4], window[(count - 2) % 4], window[(count - 1) % 4], draw);
    result.summary.add(replayed);
    if (options.onReplay) options.onReplay(replayed);
    if (progress && count % 65536 == 0) progress("replayed", count - 2, total);
  }
  if (count < kMinimumDraws) throw BacktestError({Fault::TooFewDraws, 0, 0, count});
  result.summary.finish();
  return count;
}

BacktestResult started(const BacktestOptions& options) {
  BacktestResult result;
  result.seed = options.seed;
  result.recordOrder = options.recordOrder;
  return result;
}

// Replays the shuffles of `record` the options ask for, a part at a time so that memory stays
// flat however many, and tests the result against them.
void testAgainstShuffles(std::span<const Draw> record, const BacktestOptions& options,
                         const Progress& progress, BacktestResult& result) {
  constexpr std::uint64_t kPart = 4096;
  ShuffleTally tally(observedStatistics(result), options.shuffles);
  const ShuffledReplays shuffled(options.shuffles > 0 ? record : std::span<const Draw>{});
  for (std::uint64_t first = 0; first < options.shuffles; first += kPart) {
    const std::uint64_t count = std::min(kPart, options.shuffles - first);
    const std::vector<ReplayStatistics> part =
        shuffled.replay(options.seed, {first, count}, options.threads, [&](std::uint64_t done) {
          if (progress) progress("shuffled", first + done, options.shuffles);
        });
    for (const ReplayStatistics& shuffle : part) tally.add(shuffle);
  }
  testAgainstShuffles(tally, result);
}

}  // namespace

ReplayStatistics observedStatistics(const BacktestResult& result) {
  ReplayStatistics observed;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const Tally& tally = result.summary.output(static_cast<int>(i)).tally;
    observed.excessThousandths[i] = tally.excessThousandths();
    observed.patterns[i] = tally.patterns();
  }
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    observed.excessReturnMills[i] = result.summary.output(static_cast<int>(i)).excessReturnMills();
  }
  return observed;
}

void testAgainstShuffles(const ShuffleTally& tally, BacktestResult& result) {
  const auto pValue = [&](std::uint64_t reached) {
    return permutationPValue(reached, tally.shuffles());
  };
  std::array<double, engine::kOutputs> pValues{}, patternPValues{};
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    pValues[i] = pValue(tally.excessReached()[i]);
    patternPValues[i] = pValue(tally.patternsReached()[i]);
  }
  const std::vector<double> holm = holmAdjust(pValues);
  const std::vector<double> patternHolm = holmAdjust(patternPValues);
  const ReplayStatistics observed = observedStatistics(result);
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    result.tests[i] = {observed.excessThousandths[i], pValues[i],        holm[i],
                       observed.patterns[i],          patternPValues[i], patternHolm[i]};
    result.tests[i].criticalExcessThousandths = tally.criticalExcess(i);
  }
  std::array<double, engine::kLists> returnPValues{};
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    returnPValues[i] = pValue(tally.returnReached()[i]);
  }
  const std::vector<double> returnHolm = holmAdjust(returnPValues);
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    result.tests[i].excessReturnMills = observed.excessReturnMills[i];
    result.tests[i].returnPValue = returnPValues[i];
    result.tests[i].returnPValueHolm = returnHolm[i];
  }
  result.shuffles = tally.shuffles();
  result.power = powerOfTest(result.summary, result.tests);
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
  replayAll(fromRecord, options, progress, replayedPasses(record.size()), result, nullptr);
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
