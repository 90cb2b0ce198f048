#pragma once

#include <cstdint>
#include <optional>

namespace quorvel::backtest {

// The permutation test of one output: the statistic on the history as it is, and the share of
// shuffles that reached it (one-sided), before and after Holm's adjustment over the eight. The
// verdict rests on the family's adjustment (family.h); these are each test taken alone.
struct OutputTest {
  std::int64_t excessThousandths = 0;
  double pValue = 1, pValueHolm = 1;
  std::int64_t patterns = 0;
  double patternPValue = 1, patternPValueHolm = 1;
  // For a list: the return of betting its sums above their average, in thousandths of a yuan,
  // and the share of shuffles that reached it, before and after Holm's adjustment over the three.
  std::int64_t excessReturnMills = 0;
  double returnPValue = 1, returnPValueHolm = 1;
  // The excess hits the record must reach for the family's first step to show that the output
  // hits more often than chance, from the shuffles' own values; nothing without enough shuffles.
  std::optional<std::int64_t> criticalExcessThousandths{};
  // The shuffles' own centre, which a record whose order means nothing scores on average: the
  // hit rate of all their calls, and for a list the return rate of betting its sums in all of
  // them. Without shuffles, chance's hit rate and blind bets' return rate.
  double nullHitRate = 0, nullReturnRate = 0;
};

}  // namespace quorvel::backtest
