#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "quorvel/game/draw.h"

// The trend chart (走势图) players read before they bet, with chance beside every figure: the
// last periods of a record as rows, one view for the sum (0-27) and one for each position's digit
// (0-9); each row's drawn value and every other value's gap; under the rows each value's count
// beside chance's, its mean, largest and current gap, and how likely a current gap that long is.
//
// A value's gap at a draw is the number of draws since it last came: 0 in the draw that holds it,
// counted over the whole record (before its first coming, the draws since the record began, the
// first draw counting as 1). Its mean gap is the mean length of the runs of draws without it that
// ended when it came; chance expects (1 - p) / p of a value of chance p.
namespace quorvel::backtest {

using game::Draw;

enum class TrendView : std::uint8_t { Sum, FirstDigit, SecondDigit, ThirdDigit };
inline constexpr std::array<TrendView, 4> kTrendViews = {TrendView::Sum, TrendView::FirstDigit,
                                                         TrendView::SecondDigit,
                                                         TrendView::ThirdDigit};

// The periods the chart shows unless asked otherwise, and the other lengths a player may ask for.
inline constexpr std::array<std::size_t, 3> kTrendPeriods = {30, 50, 100};

// How many values a view has (28 sums, 10 digits), the value of a draw in it, and a value's
// chance in a fair draw.
int trendValues(TrendView view);
int trendValue(const Draw& draw, TrendView view);
double trendChance(TrendView view, int value);

struct TrendRow {
  std::uint64_t period = 0;
  int value = 0;                     // the value drawn
  std::vector<std::uint64_t> gaps;   // every value's gap at this draw, 0 for the one drawn
};

// Whether a value came unusually often or rarely in the periods shown, with the values of a view
// adjusted together (Bonferroni over them, two-sided at kLevel): on a fair record almost every
// value stands within chance.
enum class Frequency : std::uint8_t { WithinChance, Frequent, Rare };

struct TrendValue {
  int value = 0;
  std::uint64_t count = 0;           // in the periods shown
  double expected = 0;               // N p
  std::array<std::uint64_t, 2> range95{};  // the 2.5 % and 97.5 % quantiles of Binomial(N, p)
  double meanGap = 0;                // over the whole record; 0 before the value has come twice
  double expectedGap = 0;            // (1 - p) / p
  std::uint64_t maxGap = 0;          // over the whole record, the current gap included
  std::uint64_t currentGap = 0;      // after the newest draw
  double tailChance = 1;             // (1 - p) ^ currentGap
  Frequency frequency = Frequency::WithinChance;
};

struct TrendChart {
  TrendView view = TrendView::Sum;
  std::vector<TrendRow> rows;        // the newest periods, oldest first (the newest at the bottom)
  std::vector<TrendValue> values;    // one a value, in order
};

// View `view` of the newest `periods` draws of `record` (oldest first), all of them when it has
// fewer; gaps and the gap figures over the whole record.
TrendChart trendChart(std::span<const Draw> record, std::size_t periods, TrendView view);

// The four views of the newest `periods` draws of `record` (oldest first), all of them when it
// has fewer; gaps and the gap figures over the whole record.
std::vector<TrendChart> trendCharts(std::span<const Draw> record, std::size_t periods);

}  // namespace quorvel::backtest
