#pragma once

#include <ostream>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"

namespace quorvel::report {

// The result as one JSON object on one line, numbers in fixed decimals, so that the same
// result gives the same bytes.
// Each output's entry ends with the hit rate of the smallest edge the test would catch
// ("detectableRate") and, for a list, its return rate at that edge ("detectableReturnRate").
// With an audit, "audit" follows the outputs.
void writeJson(std::ostream& out, const backtest::BacktestResult& result,
               const backtest::Audit* audit = nullptr);

}  // namespace quorvel::report
