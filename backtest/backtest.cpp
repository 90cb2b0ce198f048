#include "quorvel/backtest/backtest.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "quorvel/backtest/permutation_test.h"
#include "quorvel/backtest/report_texts.h"
#include "statistics.h"

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
  if (count < kMinimumDraws) {
    throw std::invalid_argument(problemText({HistoryFault::TooFewDraws, count}, Language::English));
  }
  result.summary.finish();
  return count;
}

BacktestResult started(const BacktestOptions& options) {
  BacktestResult result;
  result.seed = options.seed;
  return result;
}

// Replays the shuffles of `record` the options ask for and tests the result against them.
void testAgainstShuffles(std::span<const Draw> record, const BacktestOptions& options,
                         const Progress& progress, BacktestResult& result) {
  std::vector<ReplayStatistics> shuffled;
  if (options.shuffles > 0) {
    shuffled = replayShuffles(record, options.seed, {0, options.shuffles}, options.threads,
                              [&](std::uint64_t done) {
                                if (progress) progress("shuffled", done, options.shuffles);
                              });
  }
  testAgainstShuffles(shuffled, result);
}

}  // namespace

void testAgainstShuffles(std::span<const ReplayStatistics> shuffled, BacktestResult& result) {
  std::array<double, kOutputs> pValues{}, patternPValues{};
  pValues.fill(1);
  patternPValues.fill(1);
  if (!shuffled.empty()) {
    std::vector<std::int64_t> values(shuffled.size());
    for (std::size_t i = 0; i < kOutputs; ++i) {
      const Tally& tally = result.summary.output(static_cast<int>(i)).tally;
      for (std::size_t b = 0; b < shuffled.size(); ++b)
        values[b] = shuffled[b].excessThousandths[i];
      pValues[i] = permutationPValue(tally.excessThousandths(), values);
      for (std::size_t b = 0; b < shuffled.size(); ++b) values[b] = shuffled[b].patterns[i];
      patternPValues[i] = permutationPValue(tally.patterns(), values);
    }
  }
  const std::vector<double> holm = holmAdjust(pValues);
  const std::vector<double> patternHolm = holmAdjust(patternPValues);
  for (std::size_t i = 0; i < kOutputs; ++i) {
    const Tally& tally = result.summary.output(static_cast<int>(i)).tally;
    result.tests[i] = {tally.excessThousandths(), pValues[i],        holm[i],
                       tally.patterns(),          patternPValues[i], patternHolm[i]};
  }
  result.shuffles = shuffled.size();
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
  const std::uint64_t passes = record.size() > 3 ? record.size() - 3 : 0;
  replayAll(fromRecord, options, progress, passes, result, nullptr);
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
