#include "quorvel/report/report_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "quorvel/report/output_names.h"

namespace quorvel::report {
namespace {

using backtest::OutputTest;

// A tested result in which `beating` beat chance after Holm and `patterned` showed the pattern.
BacktestResult tested(std::initializer_list<engine::Output> beating,
                      std::initializer_list<engine::Output> patterned) {
  BacktestResult result;
  result.shuffles = 1000;
  for (OutputTest& test : result.tests)
    test.pValue = test.pValueHolm = test.patternPValueHolm = 0.5;
  for (const engine::Output output : beating)
    result.tests[static_cast<std::size_t>(output)].pValueHolm = 0.01;
  for (const engine::Output output : patterned)
    result.tests[static_cast<std::size_t>(output)].patternPValueHolm = 0.049;
  return result;
}

// The two languages name the same outputs in the verdict, each in its own words.
TEST(ReportTexts, VerdictsNameTheSameOutputsInBothLanguages) {
  const BacktestResult none = tested({}, {});
  EXPECT_NE(verdictSentence(none, Language::English).find("no output beats chance"),
            std::string::npos);
  EXPECT_NE(verdictSentence(none, Language::Chinese).find("没有一项在 5% 水平上胜过运气"),
            std::string::npos);

  const BacktestResult some =
      tested({engine::Output::KeyRange, engine::Output::Mod3}, {engine::Output::OddEven});
  EXPECT_NE(verdictSentence(some, Language::English).find("the key range and mod 3 beat chance"),
            std::string::npos);
  EXPECT_NE(verdictSentence(some, Language::English).find("shuffled record for the odd/even."),
            std::string::npos);
  const std::string chinese = verdictSentence(some, Language::Chinese);
  EXPECT_NE(chinese.find("「重点号码范围」、「3N」在 5% 水平上胜过运气"), std::string::npos);
  EXPECT_NE(chinese.find("在「单双」上比打乱的记录里更常见"), std::string::npos);

  BacktestResult untested = none;
  untested.shuffles = 0;
  EXPECT_NE(verdictSentence(untested, Language::Chinese).find("没有做置换检验"), std::string::npos);
}

TEST(ReportTexts, TableHasAHeadingAndARowAnOutputWithoutPValuesUntested) {
  BacktestResult result = tested({}, {});
  for (const Language language : {Language::English, Language::Chinese}) {
    const std::vector<ReportRow> rows = reportTable(result, language);
    ASSERT_EQ(rows.size(), 1u + engine::kOutputs);
    for (std::size_t i = 0; i < engine::kOutputs; ++i) {
      EXPECT_EQ(rows[i + 1][0], outputName(engine::kAllOutputs[i], language));
      EXPECT_EQ(rows[i + 1][5], "0.500");
    }
  }
  result.shuffles = 0;
  EXPECT_EQ(reportTable(result, Language::English)[1][4], "-");
  EXPECT_EQ(outputName(engine::Output::PredictedRange, Language::Chinese), "预测号码范围");
}

}  // namespace
}  // namespace quorvel::report
