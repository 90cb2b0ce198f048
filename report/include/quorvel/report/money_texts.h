#pragma once

#include <array>
#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/presentation/language.h"

// What following the forecast would have done to a player's money, in words: betting every sum of
// a list, every period, at the sum play's prizes.
namespace quorvel::report {

using backtest::BacktestResult;
using presentation::Language;

// The sentence the verdict leads with, for the key range: "Betting the key range every period
// since period 2004004 would have staked 15,352 yuan and returned 7,868 (51.3 %); blind bets of
// the same size return 52.6 % on average." and whether any list returned more than chance allows,
// after Holm's adjustment over the three; "" for a record without a pass.
std::string moneySentence(const BacktestResult& result, Language language);

// The money of each list as a table of texts, its heading first: list, staked, returned, net,
// return rate, what blind bets return, p, p after Holm, the best and the worst year. Amounts are
// in yuan with their thousands grouped; without shuffles the p columns hold "-", and without
// years the year columns.
using MoneyRow = std::array<std::string, 9>;
std::vector<MoneyRow> moneyTable(const BacktestResult& result, Language language);

}  // namespace quorvel::report
