#pragma once

#include <array>
#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/presentation/language.h"

// The words of the backtest's power: how large an edge its test would catch.
namespace quorvel::report {

using presentation::Language;

// How large an edge the record rules out, output by output, its heading first: output, calls,
// chance, the detectable hit rate, the edge in points ("the record rules out an edge larger than
// X points"), and for a list the return rate its bets would have at that edge ("-" for a call).
using PowerRow = std::array<std::string, 6>;
std::vector<PowerRow> powerTable(const backtest::BacktestResult& result, Language language);

// The power table's heading: "the smallest edge the test would catch four times in five".
std::string powerHeading(Language language);

// What the power table means, in a sentence.
std::string powerNote(Language language);

}  // namespace quorvel::report
