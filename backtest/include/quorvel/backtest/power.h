#pragma once

#include <array>
#include <optional>

#include "quorvel/backtest/output_test.h"
#include "quorvel/backtest/summary.h"

// How large an edge the backtest would catch: "no significant result" is not "no edge", so for
// each output, the smallest hit rate above its chance that the permutation test, at 5 % divided
// by the number of outputs (Holm's strictest step), would detect with 80 % probability on a
// record of this length. The hits the test needs are its own shuffles' critical value when it has
// enough shuffles (a record's digits are never exactly fair, so its shuffles need not centre on
// chance), else the normal approximation of the binomial at chance; the hit count at the edge is
// taken as binomial and approximated by the normal law, which is close at thousands of calls.
namespace quorvel::backtest {

struct Power {
  double detectableRate = 1;  // the hit rate at that edge; 1 for an output that made no call
  double edgePoints = 0;      // the edge, in percentage points above the chance rate
  // For a list: the return rate its bets would have at that edge, every sum's chance raised in
  // the same proportion.
  std::optional<double> returnRate;
};

using Powers = std::array<Power, engine::kOutputs>;

// The power of the test of each output, from its summary and its test.
Powers powerOfTest(const Summary& summary, const std::array<OutputTest, engine::kOutputs>& tests);

// The one-sided level each output is held to: 5 % divided by the number of outputs.
double powerLevel();

}  // namespace quorvel::backtest
