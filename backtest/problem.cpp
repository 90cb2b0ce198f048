#include "quorvel/backtest/problem.h"

#include <utility>

#include "quorvel/backtest/report_texts.h"

namespace quorvel::backtest {

BacktestError::BacktestError(Problem problem)
    : problem_(std::move(problem)), reason_(problemText(problem_, Language::English)) {}

}  // namespace quorvel::backtest
