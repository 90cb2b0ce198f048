#include "quorvel/report/answer_texts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "quorvel/engine/prediction_pass.h"
#include "quorvel/backtest/effects.h"
#include "quorvel/game/draw.h"
#include "quorvel/game/game.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::report {
namespace {

using backtest::Draw;

// A draw whose digits sum to `sum`, the largest digits first.
Draw drawOfSum(std::uint64_t period, int sum) {
  const int a = std::min(9, sum), b = std::min(9, sum - a);
  return {period,
          {static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
           static_cast<std::uint8_t>(sum - a - b)}};
}

// A record that follows the key range: every other draw after the first three (every fourth when
// `paying`) has the sum of the key range forecast from the three before it with the largest prize
// (`paying`) or the smallest, the rest are random, so that the list hits far more often than
// chance and betting it returns more than its stake, or less.
std::vector<Draw> followingTheKeyRange(std::size_t draws, bool paying) {
  std::mt19937_64 random(7);
  std::vector<Draw> record;
  for (std::size_t i = 0; i < draws; ++i) {
    const std::uint64_t period = 1000 + i;
    Draw next = drawOfSum(period, static_cast<int>(random() % 28));
    if (i >= 3 && i % (paying ? 4 : 2) == 0) {
      engine::PlainGrid grid{};
      for (std::size_t row = 0; row < 3; ++row) {
        const backtest::GridRow cells = backtest::gridRow(record[i - 1 - row]);
        std::copy(cells.begin(), cells.end(), grid.begin() + static_cast<std::ptrdiff_t>(4 * row));
      }
      const engine::SumSet list = engine::runPredictionPass(grid).list(engine::Output::KeyRange);
      int chosen = -1;
      for (int s = 0; s < game::kSumValues; ++s) {
        if (!engine::contains(list, s)) continue;
        if (chosen < 0 || (paying ? game::kWelfare3D.sumBet.prize(s) > game::kWelfare3D.sumBet.prize(chosen)
                                  : game::kWelfare3D.sumBet.prize(s) < game::kWelfare3D.sumBet.prize(chosen)))
          chosen = s;
      }
      if (chosen >= 0) next = drawOfSum(period, chosen);
    }
    record.push_back(next);
  }
  return record;
}

backtest::BacktestResult tested(const std::vector<Draw>& record) {
  backtest::BacktestOptions options;
  options.shuffles = 200;
  options.laterDraws = false;
  return backtest::runBacktest(record, options);
}

// The headline's money is computed from the record: a list that paid is never said not to have
// paid, and one that did not is; a shown claim is said as what shuffling tells, never beside
// "no evidence", in both languages.
TEST(AnswerTexts, TheHeadlineSaysWhatBettingTheListDid) {
  for (const bool paying : {true, false}) {
    const backtest::BacktestResult result = tested(followingTheKeyRange(1500, paying));
    const double rate = result.summary.output(static_cast<int>(kHeadlineList)).money.rate();
    ASSERT_EQ(rate >= 1, paying) << rate;
    ASSERT_TRUE(backtest::chiefClaim(result.family).has_value());
    const std::string english = answerOf(result, Language::English).headline;
    const std::string chinese = answerOf(result, Language::Chinese).headline;
    EXPECT_TRUE(english.starts_with("This record's order is not what chance gives, and it shows "
                                    "chiefly in "))
        << english;
    EXPECT_EQ(english.find("did not pay") == std::string::npos, paying) << english;
    EXPECT_EQ(chinese.find("不赚钱") == std::string::npos, paying) << chinese;
    EXPECT_EQ(english.find("returned") != std::string::npos, paying) << english;
    for (const std::string& headline : {english, chinese}) {
      EXPECT_EQ(headline.find("No evidence"), std::string::npos) << headline;
      EXPECT_EQ(headline.find("没有证据"), std::string::npos) << headline;
    }
  }
}

// On a fair record the answer says there is no evidence, and the break-even hit rate comes with
// the assumption it rests on; "more than always" only where that rate passes 100 %.
TEST(AnswerTexts, NoEvidenceAndTheBreakEvenRateWithItsAssumption) {
  const backtest::BacktestResult result = tested(backtest::simulateHistory(1500, 3));
  const Answer english = answerOf(result, Language::English);
  EXPECT_EQ(english.headline, "No evidence that it works.");
  EXPECT_NE(english.beside.find("To break even, if its hits rose evenly across its sums, the key "
                                "range would have to hold"),
            std::string::npos)
      << english.beside;
  const double breakEven = backtest::breakEvenHitRate(
      result.summary.output(static_cast<int>(kHeadlineList)));
  EXPECT_EQ(english.beside.find("more than always") != std::string::npos, breakEven > 1);
  const Answer chinese = answerOf(result, Language::Chinese);
  EXPECT_EQ(chinese.headline, "没有证据表明它灵。");
  EXPECT_NE(chinese.beside.find("假如它多中的都均匀落在各个和值上"), std::string::npos);
  EXPECT_EQ(chinese.beside.find("不可能") != std::string::npos, breakEven > 1);
}

}  // namespace
}  // namespace quorvel::report
