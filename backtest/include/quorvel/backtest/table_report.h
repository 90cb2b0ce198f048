#pragma once

#include <ostream>

#include "quorvel/backtest/backtest.h"

namespace quorvel::backtest {

// The summary as a table with the permutation test's columns, then the run lengths of the
// predicted range and the attribute calls beside what chance gives at the same hit rate, and last
// the verdict a player can act on.
void writeTable(std::ostream& out, const BacktestResult& result);

}  // namespace quorvel::backtest
