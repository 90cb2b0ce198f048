#include "quorvel/report/report_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "quorvel/report/output_names.h"

namespace quorvel::report {
namespace {

using backtest::ClaimKind;
using backtest::Standing;

// The index of a claim in the family.
std::size_t claimOf(engine::Output output, ClaimKind kind) {
  for (std::size_t j = 0; j < backtest::kClaims; ++j) {
    if (backtest::kFamily[j] == backtest::Claim{output, kind}) return j;
  }
  return backtest::kClaims;
}

// A tested result that can tell, in which the given claims stand as given and the rest show no
// evidence.
BacktestResult tested(std::initializer_list<std::pair<std::size_t, Standing>> standings) {
  BacktestResult result;
  result.shuffles = 1000;
  result.family.criticalZ = 3.0;
  for (backtest::Power& power : result.power) power.atLargeEdge = 1;
  for (backtest::ClaimTest& claim : result.family.claims) claim.pValueAdjusted = 0.5;
  for (const auto& [claim, standing] : standings) {
    result.family.claims[claim].standing = standing;
    result.family.claims[claim].pValueAdjusted = 0.049;
    result.family.claims[claim].monteCarloError = 0.007;
  }
  return result;
}

// The verdict names the claims the family shows and those it leaves borderline, in each language
// its own words, and says no more than the evidence: no evidence, never proof of none.
TEST(ReportTexts, TheVerdictNamesTheClaimsAsTheyStand) {
  const BacktestResult none = tested({});
  EXPECT_NE(verdictSentence(none, Language::English).find("no evidence at the 5% level"),
            std::string::npos);
  EXPECT_NE(verdictSentence(none, Language::Chinese).find("没有证据表明在 5% 水平上"),
            std::string::npos);

  const BacktestResult some =
      tested({{claimOf(engine::Output::KeyRange, ClaimKind::Hits), Standing::Shown},
              {claimOf(engine::Output::ExtremeNumbers, ClaimKind::Money), Standing::Borderline},
              {claimOf(engine::Output::OddEven, ClaimKind::Pattern), Standing::Shown}});
  const std::string english = verdictSentence(some, Language::English);
  EXPECT_NE(english.find("shown at the 5% level: the key range's hits and odd/even's runs."),
            std::string::npos)
      << english;
  EXPECT_NE(
      english.find("more shuffles would tell: the extreme numbers' money (p = 0.049 ± 0.007)"),
      std::string::npos)
      << english;
  const std::string chinese = verdictSentence(some, Language::Chinese);
  EXPECT_NE(chinese.find("成立的有「重点号码范围」的命中、「单双」的规律。"), std::string::npos)
      << chinese;
  for (const std::string& verdict : {english, chinese}) {
    EXPECT_EQ(verdict.find("rules out"), std::string::npos);
    EXPECT_EQ(verdict.find("排除"), std::string::npos);
  }
}

TEST(ReportTexts, TooLittleToTellOrUntestedIsSaidSo) {
  BacktestResult short_ = tested({{0, Standing::Shown}});
  short_.power[2].atLargeEdge = 0.5;  // one output could miss a 10-point edge
  EXPECT_NE(verdictSentence(short_, Language::English).find("too few to tell"), std::string::npos);
  EXPECT_NE(verdictSentence(short_, Language::Chinese).find("太少，看不出"), std::string::npos);
  BacktestResult untested = tested({});
  untested.shuffles = 0;
  EXPECT_NE(verdictSentence(untested, Language::Chinese).find("没有做置换检验"), std::string::npos);
  EXPECT_TRUE(claimsTable(untested, Language::English).empty());
  EXPECT_EQ(reportTable(untested, Language::English)[1][5], "-");
}

TEST(ReportTexts, TablesHaveAHeadingAndARowAClaimOrAnOutput) {
  const BacktestResult result = tested({{5, Standing::Borderline}});
  for (const Language language : {Language::English, Language::Chinese}) {
    const std::vector<ClaimRow> claims = claimsTable(result, language);
    ASSERT_EQ(claims.size(), 1u + backtest::kClaims);
    EXPECT_EQ(claims[1][0], claimName(backtest::kFamily[0], language));
    const std::vector<ReportRow> rows = reportTable(result, language);
    ASSERT_EQ(rows.size(), 1u + engine::kOutputs);
    for (std::size_t i = 0; i < engine::kOutputs; ++i) {
      EXPECT_EQ(rows[i + 1][0], outputName(engine::kAllOutputs[i], language));
    }
  }
  EXPECT_EQ(claimsTable(result, Language::English)[6][4], "borderline");
  EXPECT_EQ(claimsTable(result, Language::Chinese)[1][4], "无证据");
}

}  // namespace
}  // namespace quorvel::report
