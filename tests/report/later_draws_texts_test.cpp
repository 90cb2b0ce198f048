#include "quorvel/report/later_draws_texts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/words/output_names.h"
#include "quorvel/backtest/simulated_draws.h"
#include "row_name.h"

namespace quorvel::report {
namespace {

using words::Language;

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
        SentenceCase{"English at 20", 20, Language::English,
                     "the hits went beyond what fair, independent draws allow: the e-value"},
        SentenceCase{"English at 20, an edge or unfair draws", 20, Language::English,
                     "Either the forecast has an edge or the draws are not fair"},
        SentenceCase{"English at 160, each output named", 160, Language::English,
                     "At 160 or more on its own: the predicted range (160.00), the key range "
                     "(160.00)"},
        SentenceCase{"Chinese below 20", 19.99, Language::Chinese, "目前没有证据表明"},
        SentenceCase{"Chinese at 20", 20, Language::Chinese,
                     "命中超出了公平、独立的开奖所能给的"},
        SentenceCase{"Chinese at 160, each output named", 160, Language::Chinese,
                     "单项达到 160 的有「预测号码范围」（160.00）、「重点号码范围」（160.00）"},
        SentenceCase{"a large e-value in three digits", 123456, Language::English, "1.23e+05"}),
    testing::NamedRow{});

// Later draws that are not fair (digits 0-4 only, so the sums lean small) raise the e-value past
// what fair draws allow: the words say so, that it may be an edge or unfair draws, and name the
// output that reached 160 alone, and only it.
TEST(LaterDrawsSentence, UnfairLaterDrawsAreSaidToExceedWhatFairDrawsAllow) {
  std::vector<backtest::Draw> draws = backtest::simulateHistory(100, 1);
  for (std::size_t i = 0; i < draws.size(); ++i)
    draws[i].period = game::kWelfare3D.verdictFixedThrough - 99 + i;
  std::mt19937_64 random(3);
  for (std::uint64_t i = 0; i < 300; ++i) {
    backtest::Draw draw{2027001 + i, {}};
    for (std::uint8_t& digit : draw.digits) digit = static_cast<std::uint8_t>(random() % 5);
    draws.push_back(draw);
  }
  const backtest::BacktestResult result = backtest::runBacktest(draws, {});
  ASSERT_TRUE(result.laterDraws && result.laterDraws->shown());
  const std::string english = laterDrawsSentence(result, Language::English);
  EXPECT_NE(english.find("the hits went beyond what fair, independent draws allow"),
            std::string::npos)
      << english;
  EXPECT_NE(english.find("Either the forecast has an edge or the draws are not fair"),
            std::string::npos);
  std::vector<std::string> named;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const std::string name(outputName(engine::kAllOutputs[i], Language::English));
    if (english.find(name + " (") != std::string::npos) named.push_back(name);
    EXPECT_EQ(english.find(name + " (") != std::string::npos,
              result.laterDraws->outputs[i].shown())
        << name << ": " << english;
  }
  EXPECT_FALSE(named.empty());
  EXPECT_NE(laterDrawsSentence(result, Language::Chinese).find("要么开奖并不公平"),
            std::string::npos);
}

TEST(LaterDrawsTable, HasAHeadingAndARowAnOutput) {
  const auto rows = laterDrawsTable(*withEValue(2).laterDraws, Language::English);
  ASSERT_EQ(rows.size(), 1 + engine::kOutputs);
  EXPECT_EQ(rows[1][1], "40");
  EXPECT_EQ(rows[1][4], "2.00");
}

}  // namespace
}  // namespace quorvel::report
