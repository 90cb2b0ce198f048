#include "quorvel/report/strategy_texts.h"

#include <gtest/gtest.h>

#include "quorvel/backtest/simulated_draws.h"
#include "quorvel/game/game.h"

namespace quorvel::report {
namespace {

// The strategies' answer comes first and says only what their test found: no evidence, or the
// strategy shown and that shuffling does not show it pays; the money only of the sum strategies.
TEST(StrategyTexts, TheAnswerSaysWhatTheTestFoundAndWhatBettingReturned) {
  backtest::StrategiesTest test =
      backtest::testStrategies(backtest::simulateHistory(300, 2), game::kWelfare3D, 30, 1);
  for (auto& claim : test.family.claims) claim.standing = backtest::Standing::NoEvidence;
  const std::string none = strategiesSentence(test, Language::English);
  EXPECT_EQ(none.rfind("No evidence at the 5% level that any strategy the chart suggests", 0), 0U) << none;
  EXPECT_NE(none.find("chase the overdue sum 0."), std::string::npos) << none;
  EXPECT_EQ(none.find("digit 0."), std::string::npos) << "a digit call is no bet";
  test.family.claims[1].standing = backtest::Standing::Shown;
  const std::string shown = strategiesSentence(test, Language::Chinese);
  EXPECT_NE(shown.find("追热（和值）在这份记录上的命中比打乱的记录多"), std::string::npos) << shown;
  EXPECT_NE(shown.find("并不说明照这样下注能赚钱"), std::string::npos) << shown;
  const auto rows = strategiesTable(test, Language::English);
  ASSERT_EQ(rows.size(), backtest::kStrategies + 1);
  EXPECT_EQ(rows[4][4], "-");  // the first digit's call stakes nothing
  EXPECT_EQ(rows[2].back(), "shown");
  test.shuffles = 0;
  EXPECT_EQ(strategiesSentence(test, Language::English).rfind("The strategies were not tested", 0), 0U);
}

}  // namespace
}  // namespace quorvel::report
