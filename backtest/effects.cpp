#include "quorvel/backtest/effects.h"

#include <algorithm>
#include <cmath>

#include "quorvel/backtest/statistics.h"

namespace quorvel::backtest {

double edge(const OutputSummary& output, const OutputTest& test) {
  return output.hitRate() - test.nullHitRate;
}

double edgeUpper95(const OutputSummary& output, const OutputTest& test) {
  const double upper = wilsonUpperBound(output.hits, output.calls, 0.95) - test.nullHitRate;
  return std::max(upper, edge(output, test));
}

std::pair<double, double> returnRateInterval95(const OutputSummary& output) {
  const auto staked = static_cast<double>(output.money.stakeYuan);
  if (staked <= 0) return {0, 0};
  const double rate = output.money.rate();
  // The spread of the passes' returns about `rate` times their stakes.
  const double residual =
      output.returnSquares - 2 * rate * output.stakeReturns + rate * rate * output.stakeSquares;
  const double half = normalQuantile(0.975) * std::sqrt(std::max(0.0, residual)) / staked;
  return {std::max(0.0, rate - half), rate + half};
}

double breakEvenHitRate(const OutputSummary& output) {
  const double expected = output.expectedRate();
  return expected > 0 ? output.chanceRate() / expected : 0;
}

}  // namespace quorvel::backtest
