#pragma once

#include <cstdint>
#include <optional>

namespace quorvel::backtest {

// The permutation test of one output: the statistic on the history as it is, and the share of
// shuffles that reached it (one-sided), before and after Holm's adjustment over the eight.
struct OutputTest {
  std::int64_t excessThousandths = 0;
  double pValue = 1, pValueHolm = 1;
  std::int64_t patterns = 0;
  double patternPValue = 1, patternPValueHolm = 1;
  // For a list: the return of betting its sums above their average, in thousandths of a yuan,
  // and the share of shuffles that reached it, before and after Holm's adjustment over the three.
  std::int64_t excessReturnMills = 0;
  double returnPValue = 1, returnPValueHolm = 1;
  // The shuffles' own critical excess hits at kLevel / kOutputs (see ShuffleTally), when known.
  std::optional<std::int64_t> criticalExcessThousandths{};
};

}  // namespace quorvel::backtest
