#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/strategies.h"
#include "quorvel/backtest/trend_chart.h"
#include "quorvel/words/language.h"

// The trend chart's words, in English or Chinese: each view's heading, its rows and figures as
// tables of texts, and what the figures do and do not say.
namespace quorvel::report {

using words::Language;

// What the reports show of a record's trend: the chart's views and the strategies it suggests,
// replayed and tested.
struct TrendReport {
  std::vector<backtest::TrendChart> charts;
  backtest::StrategiesTest strategies;
};

// A view's name as the JSON keys it ("sum", "first digit", ...) and as a player reads it.
std::string_view trendViewKey(backtest::TrendView view);
std::string trendHeading(const backtest::TrendChart& chart, Language language);
std::string_view trendViewName(backtest::TrendView view, Language language);  // "和值"
std::string trendPeriodsChoice(std::size_t periods, Language language);       // "最近 30 期"

// The chart's rows, heading first: the period, then each value's gap, the drawn value marked as
// "[7]" (a mark of text, not of colour alone).
std::vector<std::vector<std::string>> trendRows(const backtest::TrendChart& chart,
                                                Language language);

// The figures under the rows, heading first (the values), then one row a figure: the count in
// these periods, chance's count and its 95 % range, the mean gap beside chance's, the largest and
// the current gap, and the chance of a current gap that long.
std::vector<std::vector<std::string>> trendFigures(const backtest::TrendChart& chart,
                                                   Language language);

// Which values came unusually often or rarely, once the view's values are adjusted together, or
// that every value is within chance; then that the next draw's chance of each value is still its
// chance, whatever its gap.
std::string trendSentence(const backtest::TrendChart& chart, Language language);

}  // namespace quorvel::report
