#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/strategies.h"
#include "quorvel/words/language.h"

// The words of the strategies a trend chart suggests, replayed and tested: the answer first, in
// plain words, then the table.
namespace quorvel::report {

using words::Language;

// A strategy's name as the JSON keys it ("overdue sum") and as a player reads it ("追冷（和值）").
std::string_view strategyKey(backtest::Strategy strategy);
std::string_view strategyName(backtest::Strategy strategy, Language language);

// Whether any strategy hit more often than chance, against how many shuffles, the family adjusted
// together; then what betting by the sum strategies every period staked and returned.
std::string strategiesSentence(const backtest::StrategiesTest& test, Language language);

// The strategies as a table, heading first: strategy, calls, hits, chance's hits, stake, returned,
// the return rate and blind bets' ("-" for a digit call, which no game sells), p, p adjusted, and
// how it stands.
std::vector<std::vector<std::string>> strategiesTable(const backtest::StrategiesTest& test,
                                                      Language language);

}  // namespace quorvel::report
