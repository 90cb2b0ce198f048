#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/presentation/language.h"

// The backtest's verdict and its table for a player, in English (the command line's) or in
// Chinese (the page's, for a browser set to Chinese).
namespace quorvel::report {

using backtest::BacktestResult;
using presentation::Language;

// Said of a record that ran newest first: "the record runs newest first; it was replayed oldest
// first"; "" for one oldest first.
std::string_view recordOrderNote(const BacktestResult& result, Language language);

// The verdict: what betting the key range would have done to the player's money (moneySentence),
// then which outputs beat chance at the 5 % level after Holm's adjustment, and whether the claimed
// run pattern does.
std::string verdictSentence(const BacktestResult& result, Language language);

// The permutation test as a table of texts, its heading row first, then one row an output:
// output, hit rate, chance, excess hits, p, p after Holm, the pattern's p. Without shuffles the
// p columns hold "-".
using ReportRow = std::array<std::string, 7>;
std::vector<ReportRow> reportTable(const BacktestResult& result, Language language);

}  // namespace quorvel::report
