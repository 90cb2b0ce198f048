#pragma once

#include <ostream>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/presentation/language.h"

namespace quorvel::report {

// The summary as a table with the permutation test's columns, then the run lengths of the
// predicted range and the attribute calls beside what chance gives at the same hit rate, and last
// the verdict a player can act on.
// With an audit, its table and sentence come before the verdict.
void writeTable(std::ostream& out, const backtest::BacktestResult& result,
                presentation::Language language, const backtest::Audit* audit = nullptr);

}  // namespace quorvel::report
