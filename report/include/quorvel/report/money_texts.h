#pragma once

#include <array>
#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/words/language.h"

// What following the forecast would have done to a player's money, in words: betting every sum of
// a list, every period, at the sum play's prizes.
namespace quorvel::report {

using backtest::BacktestResult;
using words::Language;

// The money of each list as a table of texts, its heading first: list, staked, returned, net,
// return rate, its 95 % interval, the shuffles' return rate, what blind bets return, the hit rate
// at which the list would break even, the best and the worst whole year. Amounts are in yuan
// with their thousands grouped; without shuffles their rate holds "-", and without whole years
// the year column.
using MoneyRow = std::array<std::string, 10>;
std::vector<MoneyRow> moneyTable(const BacktestResult& result, Language language);

}  // namespace quorvel::report
