#pragma once

#include <array>
#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/words/language.h"

// The words of the backtest's power: how large an edge its test would catch, beside how large an
// edge the record itself allows.
namespace quorvel::report {

using words::Language;

// Output by output, its heading first: output, calls, the shuffles' hit rate, the hit rate, the
// edge over the shuffles' (points), the data's 95 % upper bound on it (points), the edge the
// family's test would catch four times in five (points), and for a list the return rate its bets
// would have at that edge ("-" for a call).
using PowerRow = std::array<std::string, 8>;
std::vector<PowerRow> powerTable(const backtest::BacktestResult& result, Language language);

// The power table's heading.
std::string powerHeading(Language language);

// What the power table means, in a few sentences.
std::string powerNote(Language language);

}  // namespace quorvel::report
