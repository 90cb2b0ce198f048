#pragma once

#include <string>
#include <vector>

#include "quorvel/backtest/kept_record.h"
#include "quorvel/backtest/summary.h"
#include "quorvel/words/language.h"

// The words of the record a player keeps on a device: what it holds, what joining draws to it
// did, and its recent draws scored, in English or in Chinese.
namespace quorvel::report {

using words::Language;

// "The record holds 7683 draws, the last period 2026176." and its gaps within a year, each said.
std::string recordStatus(const backtest::Record& record, Language language);

// What joining draws did: how many were added and confirmed; or, while draws disagree with the
// kept ones, each period with both draws and that nothing changed until the player chooses. Then
// the record's status.
std::string mergeStatus(const backtest::Merged& merged, Language language);

// What a typed draw did to `record`: the period it became, or the period it corrected, then the
// record's status; "" for nothing done.
std::string typedStatus(const backtest::Typed& typed, const backtest::Record& record,
                        Language language);

// A stored record that could not be read, `reason` its located fault: set aside, not used.
std::string damagedStatus(const std::string& reason, Language language);

// The recent draws' table heading: period, draw, sum, the eight outputs, then each list's stake
// and return.
std::vector<std::string> recentHeading(Language language);

// What betting a list of one recent pass cost and returned, in whole yuan: "26 / 0".
std::string recentMoney(const backtest::Call& call);

// How many more recent draws each "recentMore" shows, and how many are shown at first.
inline constexpr int kRecentStep = 30;

// The recent draws' totals against chance, its heading first, a row an output: output, calls,
// hits, the hits chance would give; for a list also staked, returned, and what blind bets of the
// same size return on average, in yuan.
using TotalsRow = std::array<std::string, 7>;
std::vector<TotalsRow> recentTotals(const backtest::Summary& summary, Language language);

}  // namespace quorvel::report
