#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/presentation/language.h"

// The words of the record's audit and of the backtest's power, in English or Chinese.
namespace quorvel::backtest {

using presentation::Language;

// What an audit test looks at: "the first digit's frequencies", "第一位的频率".
std::string_view auditTestWords(std::string_view name, Language language);

// Whether the draws look like independent fair draws at the 5 % level after Holm's adjustment,
// and which tests say otherwise if any do.
std::string auditSentence(const Audit& audit, Language language);

// The audit as a table of texts, its heading first: test, what it looks at, statistic, degrees
// of freedom ("-" for a z), p, p after Holm.
using AuditRow = std::array<std::string, 6>;
std::vector<AuditRow> auditTable(const Audit& audit, Language language);

// How large an edge the record rules out, output by output, its heading first: output, calls,
// chance, the detectable hit rate, the edge in points ("the record rules out an edge larger than
// X points"), and for a list the return rate its bets would have at that edge ("-" for a call).
using PowerRow = std::array<std::string, 6>;
std::vector<PowerRow> powerTable(const BacktestResult& result, Language language);

// The power table's heading: "the smallest edge the test would catch four times in five".
std::string powerHeading(Language language);

// What the power table means, in a sentence.
std::string powerNote(Language language);

}  // namespace quorvel::backtest
