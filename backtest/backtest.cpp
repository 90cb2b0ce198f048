#include "backtest.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "permutation_test.h"
#include "statistics.h"

namespace quorvel::backtest {

BacktestResult runBacktest(const std::function<bool(Draw&)>& next, const BacktestOptions& options,
                           const Progress& progress) {
  BacktestResult result;
  result.shuffles = options.shuffles;
  result.seed = options.seed;

  std::vector<Draw> kept;  // the whole record, for the shuffles only
  std::array<Draw, 4> window{};
  std::uint64_t count = 0;
  for (Draw draw; next(draw); ++count) {
    if (options.shuffles > 0) kept.push_back(draw);
    window[count % 4] = draw;
    if (count < 3) continue;
    const Replayed replayed =
        replay(window[(count - 3) % 4], window[(count - 2) % 4], window[(count - 1) % 4], draw);
    result.summary.add(replayed);
    if (options.onReplay) options.onReplay(replayed);
    if (progress && count % 65536 == 0) progress("replayed", count - 2, 0);
  }
  if (count < 4) {
    throw std::invalid_argument("need at least four draws, found " + std::to_string(count));
  }
  result.summary.finish();

  std::array<double, kOutputs> pValues{}, patternPValues{};
  if (options.shuffles > 0) {
    const std::vector<ReplayStatistics> shuffled = replayShuffles(
        kept, options.shuffles, options.seed, options.threads, [&](std::uint64_t done) {
          if (progress) progress("shuffled", done, options.shuffles);
        });
    std::vector<std::int64_t> values(shuffled.size());
    for (std::size_t i = 0; i < kOutputs; ++i) {
      const Tally& tally = result.summary.output(static_cast<int>(i)).tally;
      for (std::size_t b = 0; b < shuffled.size(); ++b)
        values[b] = shuffled[b].excessThousandths[i];
      pValues[i] = permutationPValue(tally.excessThousandths(), values);
      for (std::size_t b = 0; b < shuffled.size(); ++b) values[b] = shuffled[b].patterns[i];
      patternPValues[i] = permutationPValue(tally.patterns(), values);
    }
  } else {
    pValues.fill(1);
    patternPValues.fill(1);
  }
  const std::vector<double> holm = holmAdjust(pValues);
  const std::vector<double> patternHolm = holmAdjust(patternPValues);
  for (std::size_t i = 0; i < kOutputs; ++i) {
    const Tally& tally = result.summary.output(static_cast<int>(i)).tally;
    result.tests[i] = {tally.excessThousandths(), pValues[i],        holm[i],
                       tally.patterns(),          patternPValues[i], patternHolm[i]};
  }
  return result;
}

}  // namespace quorvel::backtest
