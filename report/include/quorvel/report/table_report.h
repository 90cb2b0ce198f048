#pragma once

#include <ostream>
#include <vector>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/report/trend_texts.h"
#include "quorvel/report/tested_together.h"
#include "quorvel/words/language.h"

namespace quorvel::report {

// The report as the command line prints it, in `language`: the answer first (in plain words, and
// what came back of every yuan staked on the key range), then the verdict on the family of
// claims, then the evidence: the claims' table, the money, each output's tests, the power, the
// run lengths, and with an audit its table and sentence. With another record tested beside it,
// that record's own verdict and the claims tested on both follow the verdict. With the trend
// chart, its views come last, each with its figures and what they say.
void writeTable(std::ostream& out, const backtest::BacktestResult& result,
                words::Language language, const backtest::Audit* audit = nullptr,
                const TestedTogether* together = nullptr,
                const TrendReport* trend = nullptr);

}  // namespace quorvel::report
