#include "quorvel/report/later_draws_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "quorvel/backtest/backtest.h"
#include "row_name.h"

namespace quorvel::report {
namespace {

using presentation::Language;

// A result whose test on later draws has the family e-value `eValue`: every output's bets at it.
backtest::BacktestResult withEValue(double eValue) {
  backtest::BacktestResult result;
  result.laterDraws.emplace();
  result.laterDraws->draws = 40;
  for (backtest::LaterOutput& output : result.laterDraws->outputs) {
    output.calls = 40;
    output.wealth.fill(eValue);
  }
  return result;
}

struct SentenceCase {
  std::string name;
  double eValue;
  Language language;
  std::string says;
};

std::string describe(const SentenceCase& c) { return c.name; }

class LaterDrawsSentence : public ::testing::TestWithParam<SentenceCase> {};

// The sentence says what the new draws show, from the threshold on, and never claims proof.
TEST_P(LaterDrawsSentence, SaysWhatTheEvidenceShows) {
  const SentenceCase& c = GetParam();
  const std::string sentence = laterDrawsSentence(withEValue(c.eValue), c.language);
  EXPECT_NE(sentence.find(c.says), std::string::npos) << sentence;
  for (const char* overclaim : {"prove", "rules out", "证明"}) {
    EXPECT_EQ(sentence.find(overclaim), std::string::npos) << sentence;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Thresholds, LaterDrawsSentence,
    ::testing::Values(
        SentenceCase{"English below 20", 19.99, Language::English, "no evidence of an edge so far"},
        SentenceCase{"English at 20", 20, Language::English, "evidence of an edge: the e-value"},
        SentenceCase{"Chinese below 20", 19.99, Language::Chinese, "目前没有证据表明"},
        SentenceCase{"Chinese at 20", 20, Language::Chinese, "有证据表明这个预测比运气更准"},
        SentenceCase{"a large e-value in three digits", 123456, Language::English, "1.23e+05"}),
    testing::NamedRow{});

TEST(LaterDrawsTable, HasAHeadingAndARowAnOutput) {
  const auto rows = laterDrawsTable(*withEValue(2).laterDraws, Language::English);
  ASSERT_EQ(rows.size(), 1 + engine::kOutputs);
  EXPECT_EQ(rows[1][1], "40");
  EXPECT_EQ(rows[1][4], "2.00");
}

}  // namespace
}  // namespace quorvel::report
