#pragma once

#include <ostream>

#include "quorvel/backtest/backtest.h"

namespace quorvel::backtest {

// The result as one JSON object on one line, numbers in fixed decimals, so that the same
// result gives the same bytes.
void writeJson(std::ostream& out, const BacktestResult& result);

}  // namespace quorvel::backtest
