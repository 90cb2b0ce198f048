#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/problem.h"
#include "quorvel/presentation/language.h"

// The backtest's words for a player, in English (the command line's) or in Chinese (the page's,
// for a browser set to Chinese).
namespace quorvel::backtest {

using presentation::Language;

// An output's name: "predicted range" in English, the window's caption "预测号码范围" in Chinese.
// The English names also name the outputs in the JSON and CSV reports.
std::string_view outputName(engine::Output output, Language language = Language::English);

// What is wrong, without its place: "d2 is not a digit 0-9", "d2 不是 0 到 9 的数字".
std::string problemText(const Problem& problem, Language language);

// The same after its place: `source` is the record's file name or the setting's name as the
// front end spells it, followed by the line and column of a placed problem. "draws.csv:3:5: d2 is
// not a digit 0-9", "draws.csv 第3行第5列：d2 不是 0 到 9 的数字", "--shuffles: ...".
std::string locatedText(std::string_view source, const Problem& problem, Language language);

// Said of a record that ran newest first: "the record runs newest first; it was replayed oldest
// first"; "" for one oldest first.
std::string_view recordOrderNote(const BacktestResult& result, Language language);

// The verdict: what betting the key range would have done to the player's money (moneySentence),
// then which outputs beat chance at the 5 % level after Holm's adjustment, and whether the claimed
// run pattern does.
std::string verdictSentence(const BacktestResult& result, Language language = Language::English);

// The permutation test as a table of texts, its heading row first, then one row an output:
// output, hit rate, chance, excess hits, p, p after Holm, the pattern's p. Without shuffles the
// p columns hold "-".
using ReportRow = std::array<std::string, 7>;
std::vector<ReportRow> reportTable(const BacktestResult& result, Language language);

}  // namespace quorvel::backtest
