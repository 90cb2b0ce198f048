#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "quorvel/backtest/output_test.h"
#include "quorvel/backtest/summary.h"

// How large an edge the backtest would catch: no evidence of an edge is not evidence of none, so
// for each output, the hit rate above the shuffles' own centre that the family's first step would
// catch four times in five on a record of this length. The hits the test needs are its own
// shuffles' critical value; the hit count at the edge is taken as binomial, in its normal
// approximation, which is close at thousands of calls. Without shuffles, the same approximation
// at chance stands in for the shuffles, at the level divided among the family's claims.
namespace quorvel::backtest {

inline constexpr double kPowerWanted = 0.8;  // four times in five
inline constexpr double kLargeEdge = 0.10;   // an edge any test worth the name would catch

struct Power {
  double detectableRate = 1;  // the hit rate caught four times in five; 1 when none is
  double edgePoints = 0;      // how far it lies above the shuffles' centre, in points
  // For a list: the return rate its bets would have at that hit rate, every sum's chance raised
  // in the same proportion.
  std::optional<double> returnRate;
  double atLargeEdge = 0;  // the chance of catching an edge of kLargeEdge
};
using Powers = std::array<Power, engine::kOutputs>;

// The power of the test of each output, from its summary, its test and the shuffles run.
Powers powerOfTest(const Summary& summary, const std::array<OutputTest, engine::kOutputs>& tests,
                   std::uint64_t shuffles);

}  // namespace quorvel::backtest
