#include "quorvel/report/verdict_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "quorvel/game/game.h"
#include "quorvel/words/output_names.h"

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
  EXPECT_NE(verdictSentence(none, Language::Chinese).find("在 5% 水平上，没有证据表明"),
            std::string::npos);

  const BacktestResult some =
      tested({{claimOf(engine::Output::KeyRange, ClaimKind::Hits), Standing::Shown},
              {claimOf(engine::Output::ExtremeNumbers, ClaimKind::Money), Standing::Borderline},
              {claimOf(engine::Output::OddEven, ClaimKind::Pattern), Standing::Shown}});
  const std::string english = verdictSentence(some, Language::English);
  EXPECT_NE(english.find("at the 5% level this record's order is not what chance gives, and it "
                         "shows chiefly in the key range's hits (hit rate "),
            std::string::npos)
      << english;
  EXPECT_NE(english.find("; also in odd/even's runs. That is what shuffling tests"),
            std::string::npos)
      << english;
  EXPECT_NE(english.find("Borderline so far, with more shuffles to come: the extreme numbers' "
                         "money (p = 0.049 ± 0.007)"),
            std::string::npos)
      << english;
  const std::string chinese = verdictSentence(some, Language::Chinese);
  EXPECT_NE(chinese.find("主要表现在「重点号码范围」的命中（命中率 "), std::string::npos) << chinese;
  EXPECT_NE(chinese.find("；也见于「单双」的规律。"), std::string::npos) << chinese;
  for (const std::string& verdict : {english, chinese}) {
    EXPECT_EQ(verdict.find("rules out"), std::string::npos);
    EXPECT_EQ(verdict.find("排除"), std::string::npos);
    EXPECT_EQ(verdict.find("no evidence"), std::string::npos) << "beside a shown claim";
    EXPECT_EQ(verdict.find("没有证据"), std::string::npos) << "beside a shown claim";
  }
}

// A claim still on the line once no more shuffles come is undecided, in the verdict and its
// table, and the verdict then says neither "no evidence" nor that more shuffles would tell.
TEST(ReportTexts, AClaimLeftOnTheLineIsUndecided) {
  BacktestResult result =
      tested({{claimOf(engine::Output::KeyRange, ClaimKind::Hits), Standing::Undecided}});
  result.shuffles = 16000;
  const std::string english = verdictSentence(result, Language::English);
  EXPECT_NE(english.find("none is shown at the 5% level. Undecided after 16000 shuffles, the most "
                         "this run adds (the adjusted p is within Monte Carlo error of 5%): the "
                         "key range's hits (p = 0.049 ± 0.007)."),
            std::string::npos)
      << english;
  const std::string chinese = verdictSentence(result, Language::Chinese);
  EXPECT_NE(chinese.find("打乱 16000 次（本次最多打乱这么多次）后仍未定的有「重点号码范围」的命中"),
            std::string::npos)
      << chinese;
  for (const std::string& verdict : {english, chinese}) {
    for (const char* said : {"no evidence", "more shuffles", "没有证据", "还要再打乱"})
      EXPECT_EQ(verdict.find(said), std::string::npos) << said << ": " << verdict;
  }
  EXPECT_EQ(claimsTable(result, Language::English)[2][4], "undecided");
  EXPECT_EQ(claimsTable(result, Language::Chinese)[2][4], "未定");
}

// No sentence states a null as a fact: where nothing is shown the verdict says there is no
// evidence, never that the hits are no more than chance's.
TEST(ReportTexts, NothingShownIsSaidAsNoEvidenceNeverAsFact) {
  const BacktestResult none = tested({});
  const std::string chinese = verdictSentence(none, Language::Chinese);
  EXPECT_NE(chinese.find("没有证据表明"), std::string::npos) << chinese;
  for (const char* fact : {"不比运气多", "不比打乱"}) EXPECT_EQ(chinese.find(fact), std::string::npos);
  const std::string english = verdictSentence(none, Language::English);
  EXPECT_NE(english.find("no evidence at the 5% level that any output hits more often"),
            std::string::npos);
  EXPECT_EQ(english.find("nothing is there"), std::string::npos);
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

// The records tested together are named with their games and draws; the verdict on them says
// what the shuffles show of the records' orders together, never that a claim holds, and without
// shuffles enough to show anything, that they are too few.
TEST(ReportTexts, TheRecordsTogetherAreNamedAndJudgedInTheVerdictsWords) {
  BacktestResult welfare = tested({}), pick3 = tested({});
  pick3.game = &game::kSportsPick3;
  const std::array<const BacktestResult*, 2> both = {&welfare, &pick3};
  backtest::TogetherTest test{tested({{claimOf(engine::Output::KeyRange, ClaimKind::Hits),
                                       Standing::Shown}}).family,
                              2000};
  const std::string english = togetherSentence(test, both, Language::English);
  EXPECT_NE(english.find("Both records together (the Welfare Lottery 3D's 3 draws and the Sports "
                         "Lottery Pick 3's 3 draws), each shuffled 2000 times"),
            std::string::npos)
      << english;
  EXPECT_NE(english.find("taken together, are not what chance gives, and it shows chiefly in the "
                         "key range's hits. That is what shuffling tests: it does not show"),
            std::string::npos)
      << english;
  const std::string chinese = togetherSentence(test, both, Language::Chinese);
  EXPECT_NE(chinese.find("两份记录放在一起（福彩3D的 3 期、排列三的 3 期）"), std::string::npos)
      << chinese;
  EXPECT_NE(chinese.find("主要表现在「重点号码范围」的命中"), std::string::npos) << chinese;

  test.family = tested({}).family;
  EXPECT_NE(togetherSentence(test, both, Language::English).find("no evidence at the 5% level"),
            std::string::npos);
  test.family.criticalZ.reset();
  EXPECT_NE(togetherSentence(test, both, Language::English).find("too few to tell"),
            std::string::npos);
  test.shuffles = 0;
  EXPECT_NE(togetherSentence(test, both, Language::Chinese).find("没有做置换检验"),
            std::string::npos);
  for (const Language language : {Language::English, Language::Chinese}) {
    EXPECT_EQ(claimsTable(test.family, 2000, language).size(), backtest::kClaims + 1);
  }
}

}  // namespace
}  // namespace quorvel::report
