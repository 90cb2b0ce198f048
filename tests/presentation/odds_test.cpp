#include "quorvel/presentation/odds.h"

#include <gtest/gtest.h>

#include <random>

#include "quorvel/engine/verdict.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::presentation {
namespace {

// Every one of the thousand equally likely draws, counted: how many land in the list and what a
// bet on each of its sums returns over them, against the odds worked out from ways(s).
TEST(Odds, ListOddsAgreeWithCountingEveryDraw) {
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    const engine::SumSet list = static_cast<engine::SumSet>(random()) & ((1U << 28) - 1);
    int inList = 0;
    std::int64_t returnedMills =
        0;  // yuan won over the thousand draws: thousandths of a yuan a draw
    for (int a = 0; a < 10; ++a) {
      for (int b = 0; b < 10; ++b) {
        for (int c = 0; c < 10; ++c) {
          if (!engine::contains(list, a + b + c)) continue;
          ++inList;
          returnedMills += game::prizeYuan(a + b + c);
        }
      }
    }
    const ListOdds odds = listOdds(list);
    ASSERT_EQ(odds.chanceThousandths, inList) << list;
    ASSERT_EQ(odds.expectedReturnMills, returnedMills) << list;
    ASSERT_EQ(odds.stakeYuan, 2 * std::popcount(list)) << list;
    // Every sum's bet returns between 50 % and 55 % of its stake on average.
    ASSERT_GE(20 * returnedMills, 10 * 1000 * odds.stakeYuan) << list;
    ASSERT_LE(20 * returnedMills, 11 * 1000 * odds.stakeYuan) << list;
  }
}

TEST(Odds, LinesShowTheReturnAndALossThatAddUpToTheStake) {
  // 12 to 15: 296 draws; 73 x 15 + 75 x 14 + 75 x 14 + 73 x 15 = 4290 thousandths of a yuan.
  EXPECT_EQ(listOddsLine(listOdds(engine::makeSumSet({12, 13, 14, 15})), Language::Chinese),
            "随机落入 29.6%　投注 4 注 8 元　平均返还 4.29 元（亏 3.71 元）");
  // 1: 3 x 345 = 1.035 yuan, shown as 1.04 with a loss of 0.96, not 0.97.
  EXPECT_EQ(listOddsLine(listOdds(engine::makeSumSet({1})), Language::English),
            "holds the next sum by chance 0.3% · 1 bet, 2 yuan · returns 1.04 yuan on average "
            "(loses 0.96)");
  EXPECT_EQ(listOddsLine(listOdds(0), Language::Chinese),
            "随机落入 0.0%　投注 0 注 0 元　平均返还 0.00 元（亏 0.00 元）");
  EXPECT_EQ(verdictOddsLine(engine::Verdict::Big, Language::Chinese), "随机落入 50.0%");
  EXPECT_EQ(verdictOddsLine(engine::Verdict::Middle, Language::English), "right by chance 83.2%");
  EXPECT_EQ(verdictOddsLine(engine::Verdict::NoCall, Language::Chinese), "");
}

}  // namespace
}  // namespace quorvel::presentation
