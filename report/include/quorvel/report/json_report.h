#pragma once

#include <ostream>
#include <vector>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/report/trend_texts.h"
#include "quorvel/report/tested_together.h"

namespace quorvel::report {

// The result as one JSON object on one line, numbers in fixed decimals, so that the same
// result gives the same bytes.
// Each output's entry gives the hit rate of the edge the test would catch four times in five
// ("detectableRate") and, for a list, its return rate at that edge ("detectableReturnRate"); the
// shuffles' own hit rate ("nullHitRate") and the one-sided 95 % upper bound on the edge over it
// ("edgeUpper95"); a list's money adds the shuffles' return rate ("nullRate"), the return
// rate's 95 % interval ("rateInterval95") and the hit rate at which it would break even
// ("breakEvenHitRate"). Then "family", the claims' test together, and "canTell". With an audit,
// "audit" follows; with another record tested beside it, "together"; with the trend chart,
// "trend": {"periods", "views": [{"name", "rows": [{"period", "value", "gaps"}], "values":
// [{"value", "count", "expected", "range95", "meanGap", "expectedGap", "maxGap", "currentGap",
// "tailChance", "frequency"}]}]} and "strategies": {"family": {"method", "level",
// "monteCarloErrors", "shuffles"}, "tests": [{"name", "calls", "hits", "chance", "stake",
// "returned", "expectedReturn", "pValue", "pValueAdjusted", "monteCarloError", "standing"}]}.
void writeJson(std::ostream& out, const backtest::BacktestResult& result,
               const backtest::Audit* audit = nullptr, const TestedTogether* together = nullptr,
               const TrendReport* trend = nullptr);

}  // namespace quorvel::report
