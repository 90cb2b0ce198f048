#include "quorvel/backtest/trend_chart.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <cmath>

#include "quorvel/backtest/settings.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::backtest {
namespace {

// A discrete quantile rounded up: the least count whose probability of no more reaches q.
using Precision = boost::math::policies::policy<boost::math::policies::promote_double<false>,
                                                boost::math::policies::discrete_quantile<
                                                    boost::math::policies::integer_round_up>>;
using Binomial = boost::math::binomial_distribution<double, Precision>;

// A value's runs of draws without it over the whole record, as the chart's figures need them.
struct Gaps {
  std::uint64_t current = 0, largest = 0, endedRuns = 0, endedTotal = 0;
  bool seen = false;
};

// The two-sided p-value of `count` under Binomial(n, p): twice the smaller tail, at most 1.
double twoSided(std::uint64_t count, std::uint64_t n, double p) {
  const Binomial binomial(static_cast<double>(n), p);
  const auto k = static_cast<double>(count);
  const double lower = boost::math::cdf(binomial, k);
  const double upper = count == 0 ? 1.0 : boost::math::cdf(boost::math::complement(binomial, k - 1));
  return std::min(1.0, 2 * std::min(lower, upper));
}

TrendValue valueFigures(int value, const Gaps& gaps, std::uint64_t count, std::uint64_t n,
                        double p, int values) {
  TrendValue figures;
  figures.value = value;
  figures.count = count;
  figures.expected = static_cast<double>(n) * p;
  if (n > 0) {
    const Binomial binomial(static_cast<double>(n), p);
    figures.range95 = {static_cast<std::uint64_t>(boost::math::quantile(binomial, 0.025)),
                       static_cast<std::uint64_t>(boost::math::quantile(binomial, 0.975))};
    if (twoSided(count, n, p) < kLevel / values) {
      figures.frequency = static_cast<double>(count) > figures.expected ? Frequency::Frequent
                                                                        : Frequency::Rare;
    }
  }
  figures.meanGap = gaps.endedRuns > 0 ? static_cast<double>(gaps.endedTotal) /
                                             static_cast<double>(gaps.endedRuns)
                                       : 0;
  figures.expectedGap = (1 - p) / p;
  figures.maxGap = gaps.largest;
  figures.currentGap = gaps.current;
  figures.tailChance = std::pow(1 - p, static_cast<double>(gaps.current));
  return figures;
}

TrendChart chartOf(std::span<const Draw> record, std::size_t periods, TrendView view) {
  const auto values = static_cast<std::size_t>(trendValues(view));
  std::vector<Gaps> gaps(values);
  std::vector<std::uint64_t> counts(values, 0);
  const std::size_t first = record.size() - std::min(periods, record.size());
  TrendChart chart;
  chart.view = view;
  for (std::size_t i = 0; i < record.size(); ++i) {
    const auto drawn = static_cast<std::size_t>(trendValue(record[i], view));
    for (std::size_t v = 0; v < values; ++v) {
      Gaps& g = gaps[v];
      if (v == drawn) {
        // A run before the value's first coming began with the record, not with the value.
        if (g.seen) {
          ++g.endedRuns;
          g.endedTotal += g.current;
        }
        g.seen = true;
        g.current = 0;
      } else {
        ++g.current;
      }
      g.largest = std::max(g.largest, g.current);
    }
    if (i < first) continue;
    ++counts[drawn];
    TrendRow row{record[i].period, static_cast<int>(drawn), {}};
    row.gaps.reserve(values);
    for (const Gaps& g : gaps) row.gaps.push_back(g.current);
    chart.rows.push_back(std::move(row));
  }
  const std::uint64_t n = record.size() - first;
  for (std::size_t v = 0; v < values; ++v) {
    const int value = static_cast<int>(v);
    chart.values.push_back(valueFigures(value, gaps[v], counts[v], n, trendChance(view, value),
                                        static_cast<int>(values)));
  }
  return chart;
}

}  // namespace

int trendValues(TrendView view) {
  return view == TrendView::Sum ? game::kSumValues : game::kDigitValues;
}

int trendValue(const Draw& draw, TrendView view) {
  switch (view) {
    case TrendView::Sum:
      return draw.sum();
    case TrendView::FirstDigit:
      return draw.digits[0];
    case TrendView::SecondDigit:
      return draw.digits[1];
    case TrendView::ThirdDigit:
      break;
  }
  return draw.digits[2];
}

double trendChance(TrendView view, int value) {
  if (view == TrendView::Sum) {
    return static_cast<double>(game::ways(value)) / game::kEquallyLikelyDraws;
  }
  return 1.0 / game::kDigitValues;
}

TrendChart trendChart(std::span<const Draw> record, std::size_t periods, TrendView view) {
  return chartOf(record, periods, view);
}

std::vector<TrendChart> trendCharts(std::span<const Draw> record, std::size_t periods) {
  std::vector<TrendChart> charts;
  for (const TrendView view : kTrendViews) charts.push_back(chartOf(record, periods, view));
  return charts;
}

}  // namespace quorvel::backtest
