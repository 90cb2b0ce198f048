#pragma once

#include <array>
#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/words/language.h"

// The words of the test on later draws: how the forecast has done on the draws after its verdict
// was fixed, in English or in Chinese.
namespace quorvel::report {

using words::Language;

// The block's heading: "since period 2026173, the last of the record the verdict was fixed on".
std::string laterDrawsHeading(const backtest::LaterDraws& laterDraws, Language language);

// Output by output, its heading first: output, calls, hits, the hits chance would give, e-value.
using LaterDrawsRow = std::array<std::string, 5>;
std::vector<LaterDrawsRow> laterDrawsTable(const backtest::LaterDraws& laterDraws,
                                           Language language);

// What the new draws show, as what the evidence shows ("no evidence of an edge so far" or
// "evidence of an edge"); what an e-value is; and how long an edge as large as the backtest of
// `result` could not exclude would take to show. `result` holds the test on later draws.
std::string laterDrawsSentence(const backtest::BacktestResult& result, Language language);

}  // namespace quorvel::report
