#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/draw_history.h"

// The backtest's words for a player, in English (the command line's) or in Chinese (the page's,
// for a browser set to Chinese).
namespace quorvel::backtest {

enum class Language : std::uint8_t { English, Chinese };

// An output's name: "predicted range" in English, the window's caption "预测号码范围" in Chinese.
std::string_view outputName(Output output, Language language);

// What is wrong with a history, without its place.
std::string problemText(const HistoryProblem& problem, Language language);

// The same with its place in the file `fileName`: "draws.csv, line 3, column 5: d2 is not a
// digit 0-9", "draws.csv 第3行第5列：d2 不是 0 到 9 的数字".
std::string locatedText(std::string_view fileName, const HistoryError& error, Language language);

// The verdict alone: which outputs beat chance at the 5 % level after Holm's adjustment, and
// whether the claimed run pattern does.
std::string verdictSentence(const BacktestResult& result, Language language = Language::English);

// The permutation test as a table of texts, its heading row first, then one row an output:
// output, hit rate, chance, excess hits, p, p after Holm, the pattern's p. Without shuffles the
// p columns hold "-".
using ReportRow = std::array<std::string, 7>;
std::vector<ReportRow> reportTable(const BacktestResult& result, Language language);

}  // namespace quorvel::backtest
