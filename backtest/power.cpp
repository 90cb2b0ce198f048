#include "quorvel/backtest/power.h"

#include <cmath>

#include "quorvel/backtest/settings.h"
#include "quorvel/backtest/statistics.h"

namespace quorvel::backtest {
namespace {

constexpr double kPower = 0.8;  // the chance of catching the edge

// The hit rate p1 at which `calls` calls reach `critical` hits with probability kPower, in the
// normal approximation of the binomial: calls p1 - z(power) sqrt(calls p1 (1 - p1)) = critical.
// The left side grows with p1 from `chance` to 1, so bisection finds it.
double detectableRate(double chance, double calls, double critical) {
  const double zPower = normalQuantile(kPower);
  const auto reached = [&](double p) {
    return calls * p - zPower * std::sqrt(calls * p * (1 - p));
  };
  double low = chance, high = 1;
  if (reached(high) < critical) return 1;
  for (int step = 0; step < 100; ++step) {
    const double middle = (low + high) / 2;
    (reached(middle) < critical ? low : high) = middle;
  }
  return high;
}

// The hits the test needs to reject an output: from its own shuffles when it has enough of them,
// else the normal approximation of the binomial at the calls' chance.
double criticalHits(const OutputSummary& o, const OutputTest& test) {
  if (test.criticalExcessThousandths) {
    return static_cast<double>(*test.criticalExcessThousandths + o.chanceThousandths) / 1000.0;
  }
  const double calls = static_cast<double>(o.calls), chance = o.chanceRate();
  return calls * chance +
         normalQuantile(1 - powerLevel()) * std::sqrt(calls * chance * (1 - chance));
}

}  // namespace

Powers powerOfTest(const Summary& summary, const std::array<OutputTest, engine::kOutputs>& tests) {
  Powers powers{};
  for (int i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = summary.output(i);
    Power& power = powers[static_cast<std::size_t>(i)];
    if (o.calls == 0) continue;
    const double chance = o.chanceRate();
    power.detectableRate = detectableRate(chance, static_cast<double>(o.calls),
                                          criticalHits(o, tests[static_cast<std::size_t>(i)]));
    power.edgePoints = 100 * (power.detectableRate - chance);
    if (i < engine::kLists && chance > 0) {
      power.returnRate = o.expectedRate() * power.detectableRate / chance;
    }
  }
  return powers;
}

double powerLevel() { return kLevel / engine::kOutputs; }

}  // namespace quorvel::backtest
