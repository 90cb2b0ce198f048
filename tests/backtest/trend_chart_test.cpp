#include "quorvel/backtest/trend_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <fstream>
#include <random>

#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// The figures recounted from their definitions, sharing nothing with the library: gaps by looking
// back for the value's last coming, runs between consecutive comings, and the binomial's
// quantiles by summing its probabilities.
struct Recount {
  std::vector<int> values;  // each draw's value in the view
  int count = 0;            // values the view has
  double chance(int v, TrendView view) const {
    if (view != TrendView::Sum) return 0.1;
    int ways = 0;
    for (int a = 0; a < 10; ++a)
      for (int b = 0; b < 10; ++b) ways += (v - a - b >= 0 && v - a - b <= 9);
    return ways / 1000.0;
  }
  std::uint64_t gap(std::size_t i, int v) const {
    for (std::size_t j = i + 1; j-- > 0;)
      if (values[j] == v) return i - j;
    return i + 1;
  }
};

// The smallest k whose P(X <= k) reaches q, for X ~ Binomial(n, p).
std::uint64_t quantile(std::uint64_t n, double p, double q) {
  double cdf = 0;
  const auto trials = static_cast<double>(n);
  for (std::uint64_t k = 0; k <= n; ++k) {
    const auto hits = static_cast<double>(k);
    cdf += std::exp(std::lgamma(trials + 1) - std::lgamma(hits + 1) - std::lgamma(trials - hits + 1) +
                    hits * std::log(p) + (trials - hits) * std::log1p(-p));
    if (cdf >= q - 1e-12) return k;
  }
  return n;
}

void expectRecounted(const std::vector<Draw>& record, std::size_t periods) {
  const std::vector<TrendChart> charts = trendCharts(record, periods);
  ASSERT_EQ(charts.size(), kTrendViews.size());
  for (const TrendChart& chart : charts) {
    Recount r;
    r.count = chart.view == TrendView::Sum ? 28 : 10;
    for (const Draw& d : record) {
      r.values.push_back(chart.view == TrendView::Sum          ? d.sum()
                         : chart.view == TrendView::FirstDigit ? d.digits[0]
                         : chart.view == TrendView::SecondDigit ? d.digits[1]
                                                                : d.digits[2]);
    }
    const std::size_t n = std::min(periods, record.size()), first = record.size() - n;
    ASSERT_EQ(chart.rows.size(), n);
    for (std::size_t k = 0; k < n; ++k) {
      const TrendRow& row = chart.rows[k];
      EXPECT_EQ(row.period, record[first + k].period);
      EXPECT_EQ(row.value, r.values[first + k]);
      for (int v = 0; v < r.count; ++v)
        ASSERT_EQ(row.gaps[static_cast<std::size_t>(v)], r.gap(first + k, v)) << "row " << k << " value " << v;
    }
    ASSERT_EQ(chart.values.size(), static_cast<std::size_t>(r.count));
    for (int v = 0; v < r.count; ++v) {
      const TrendValue& f = chart.values[static_cast<std::size_t>(v)];
      const double p = r.chance(v, chart.view);
      std::uint64_t count = 0, largest = 0, runs = 0, total = 0;
      std::optional<std::size_t> last;
      for (std::size_t i = 0; i < record.size(); ++i) {
        largest = std::max(largest, r.gap(i, v));
        if (r.values[i] != v) continue;
        count += i >= first;
        if (last) {
          ++runs;
          total += i - *last - 1;
        }
        last = i;
      }
      SCOPED_TRACE("value " + std::to_string(v));
      EXPECT_EQ(f.count, count);
      EXPECT_NEAR(f.expected, static_cast<double>(n) * p, 1e-9);
      EXPECT_EQ(f.range95[0], quantile(n, p, 0.025));
      EXPECT_EQ(f.range95[1], quantile(n, p, 0.975));
      EXPECT_NEAR(f.meanGap, runs > 0 ? static_cast<double>(total) / static_cast<double>(runs) : 0, 1e-9);
      EXPECT_NEAR(f.expectedGap, (1 - p) / p, 1e-9);
      EXPECT_EQ(f.maxGap, largest);
      EXPECT_EQ(f.currentGap, r.gap(record.size() - 1, v));
      EXPECT_NEAR(f.tailChance, std::pow(1 - p, static_cast<double>(f.currentGap)), 1e-12);
    }
  }
}

TEST(TrendChart, EveryFigureIsARecountOfTheRecord) {
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    std::mt19937_64 random(seed);
    const std::size_t size = 1 + random() % 400;
    SCOPED_TRACE("seed " + std::to_string(seed));
    expectRecounted(simulateHistory(size, seed), kTrendPeriods[seed % kTrendPeriods.size()]);
  }
}

TEST(TrendChart, OnTheShippedRecordsEveryFigureIsARecount) {
  for (const char* path : {QUORVEL_REAL_RECORD, QUORVEL_PICK3_RECORD}) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<Draw> record = readRecord(in).draws;
    for (const std::size_t periods : kTrendPeriods) expectRecounted(record, periods);
  }
}

// On fair records a value is called frequent or rare in few charts: the values of a view are
// adjusted together, so that a fair view calls any at most about kLevel of the time.
TEST(TrendChart, OnFairRecordsAlmostNoValueIsHotOrCold) {
  int charts = 0, calling = 0;
  for (std::uint64_t seed = 1; seed <= 400; ++seed) {
    for (const TrendChart& chart : trendCharts(simulateHistory(100, 7000 + seed), 100)) {
      ++charts;
      calling += std::any_of(chart.values.begin(), chart.values.end(), [](const TrendValue& v) {
        return v.frequency != Frequency::WithinChance;
      });
    }
  }
  EXPECT_LE(calling, charts * 5 / 100) << calling << " of " << charts << " fair charts call a value";
}

}  // namespace
}  // namespace quorvel::backtest
