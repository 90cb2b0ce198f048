#pragma once

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/records_together.h"

namespace quorvel::report {

// Another record's backtest, reported beside a record's, and the claims tested on both at once.
struct TestedTogether {
  const backtest::BacktestResult* other = nullptr;
  backtest::TogetherTest test;
};

}  // namespace quorvel::report
