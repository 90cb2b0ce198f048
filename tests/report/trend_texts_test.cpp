#include "quorvel/report/trend_texts.h"

#include <gtest/gtest.h>

#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::report {
namespace {

using backtest::Frequency;
using backtest::TrendChart;

// Each row marks its drawn value in text and gives every other value's gap; the figures have a
// row each under a heading of the values.
TEST(TrendTexts, RowsMarkTheDrawnValueAndFiguresHaveARowEach) {
  const std::vector<TrendChart> charts = backtest::trendCharts(backtest::simulateHistory(80, 3), 30);
  for (const TrendChart& chart : charts) {
    for (const Language language : {Language::English, Language::Chinese}) {
      const auto rows = trendRows(chart, language);
      ASSERT_EQ(rows.size(), chart.rows.size() + 1);
      for (std::size_t r = 0; r < chart.rows.size(); ++r) {
        const auto& line = rows[r + 1];
        ASSERT_EQ(line.size(), chart.values.size() + 1);
        EXPECT_EQ(line[0], std::to_string(chart.rows[r].period));
        const auto drawn = static_cast<std::size_t>(chart.rows[r].value);
        EXPECT_EQ(line[drawn + 1], "[" + std::to_string(drawn) + "]");
        for (std::size_t v = 0; v < chart.values.size(); ++v) {
          if (v != drawn) {
            EXPECT_EQ(line[v + 1], std::to_string(chart.rows[r].gaps[v]));
          }
        }
      }
      EXPECT_EQ(trendFigures(chart, language).size(), 7U);
    }
  }
  EXPECT_EQ(trendHeading(charts[0], Language::Chinese).rfind("和值，最近 30 期", 0), 0U);
  EXPECT_EQ(trendHeading(charts[3], Language::English).rfind("the third digit, the last 30 periods", 0), 0U);
}

// A value is called frequent or rare only as the chart's test found it; every sentence says a
// gap changes no draw's chance.
TEST(TrendTexts, TheSentenceNamesOnlyWhatTheTestFoundAndThatAGapChangesNothing) {
  TrendChart chart = backtest::trendCharts(backtest::simulateHistory(40, 5), 30)[1];
  for (auto& value : chart.values) value.frequency = Frequency::WithinChance;
  EXPECT_NE(trendSentence(chart, Language::English).find("Every value's count is within chance"),
            std::string::npos);
  chart.values[3].frequency = Frequency::Frequent;
  chart.values[8].frequency = Frequency::Rare;
  const std::string english = trendSentence(chart, Language::English);
  EXPECT_NE(english.find("Unusually frequent in these periods: 3. Unusually rare in these periods: 8."),
            std::string::npos) << english;
  const std::string chinese = trendSentence(chart, Language::Chinese);
  EXPECT_NE(chinese.find("这些期里出得特别多的：3。这些期里出得特别少的：8。"), std::string::npos) << chinese;
  for (const std::string& said : {english, chinese}) {
    EXPECT_TRUE(said.find("still its chance") != std::string::npos ||
                said.find("仍然是它原来的机会") != std::string::npos);
  }
}

}  // namespace
}  // namespace quorvel::report
