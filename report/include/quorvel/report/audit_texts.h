#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/audit.h"
#include "quorvel/words/language.h"

// The words of the record's audit, in English or Chinese.
namespace quorvel::report {

using words::Language;

// What an audit test looks at: "the first digit's frequencies", "第一位的频率".
std::string_view auditTestWords(std::string_view name, Language language);

// Whether the draws look like independent fair draws at the 5 % level after Holm's adjustment,
// and which tests say otherwise if any do.
std::string auditSentence(const backtest::Audit& audit, Language language);

// The audit as a table of texts, its heading first: test, what it looks at, statistic, degrees
// of freedom ("-" for a z), p, p after Holm.
using AuditRow = std::array<std::string, 6>;
std::vector<AuditRow> auditTable(const backtest::Audit& audit, Language language);

}  // namespace quorvel::report
