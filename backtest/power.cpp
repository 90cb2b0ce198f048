#include "quorvel/backtest/power.h"

#include <algorithm>
#include <cmath>

#include "quorvel/backtest/family.h"
#include "quorvel/backtest/settings.h"
#include "quorvel/backtest/statistics.h"

namespace quorvel::backtest {
namespace {

// The chance that `calls` calls at hit rate p reach `critical` hits, in the normal approximation
// of the binomial.
double chanceOfReaching(double calls, double p, double critical) {
  if (p >= 1) return calls >= critical ? 1 : 0;
  const double sd = std::sqrt(calls * p * (1 - p));
  return 1 - normalCdf((critical - calls * p) / sd);
}

// The hit rate p1 at which `calls` calls reach `critical` hits with probability kPowerWanted:
// calls p1 - z sqrt(calls p1 (1 - p1)) = critical. The left side grows with p1 from `centre` to 1,
// so bisection finds it.
double detectableRate(double centre, double calls, double critical) {
  const double z = normalQuantile(kPowerWanted);
  const auto reached = [&](double p) { return calls * p - z * std::sqrt(calls * p * (1 - p)); };
  double low = centre, high = 1;
  if (reached(high) < critical) return 1;
  for (int step = 0; step < 100; ++step) {
    const double middle = (low + high) / 2;
    (reached(middle) < critical ? low : high) = middle;
  }
  return high;
}

// The hits the test needs to show the output beats chance: from its own shuffles, or without them
// the normal approximation at chance, at the level divided among the family's claims. Nothing
// when shuffles were run but too few for any claim to be shown.
std::optional<double> criticalHits(const OutputSummary& o, const OutputTest& test,
                                   std::uint64_t shuffles) {
  if (test.criticalExcessThousandths) {
    return static_cast<double>(*test.criticalExcessThousandths + o.chanceThousandths) / 1000.0;
  }
  if (shuffles > 0) return std::nullopt;
  const double calls = static_cast<double>(o.calls), chance = o.chanceRate();
  return calls * chance + normalQuantile(1 - kLevel / static_cast<double>(kClaims)) *
                              std::sqrt(calls * chance * (1 - chance));
}

}  // namespace

Powers powerOfTest(const Summary& summary, const std::array<OutputTest, engine::kOutputs>& tests,
                   std::uint64_t shuffles) {
  Powers powers{};
  for (int i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = summary.output(i);
    const OutputTest& test = tests[static_cast<std::size_t>(i)];
    Power& power = powers[static_cast<std::size_t>(i)];
    const std::optional<double> critical = criticalHits(o, test, shuffles);
    if (o.calls == 0 || !critical) continue;
    const double calls = static_cast<double>(o.calls), centre = test.nullHitRate;
    power.detectableRate = detectableRate(centre, calls, *critical);
    power.edgePoints = 100 * (power.detectableRate - centre);
    power.atLargeEdge = chanceOfReaching(calls, std::min(1.0, centre + kLargeEdge), *critical);
    if (i < engine::kLists && centre > 0) {
      power.returnRate = test.nullReturnRate * power.detectableRate / centre;
    }
  }
  return powers;
}

}  // namespace quorvel::backtest
