#include "quorvel/presentation/odds.h"

#include <gtest/gtest.h>

namespace quorvel::presentation {
namespace {

game::ListOdds odds3D(engine::SumSet list) { return game::listOdds(list, game::kWelfare3D.sumBet); }

TEST(Odds, LinesShowTheReturnAndALossThatAddUpToTheStake) {
  // 12 to 15: 296 draws; 73 x 15 + 75 x 14 + 75 x 14 + 73 x 15 = 4290 thousandths of a yuan.
  EXPECT_EQ(listOddsLine(odds3D(engine::makeSumSet({12, 13, 14, 15})), Language::Chinese),
            "随机落入 29.6%　投注 4 注 8 元　平均返还 4.29 元（亏 3.71 元）");
  // 1: 3 x 345 = 1.035 yuan, shown as 1.04 with a loss of 0.96, not 0.97.
  EXPECT_EQ(listOddsLine(odds3D(engine::makeSumSet({1})), Language::English),
            "holds the next sum by chance 0.3% · 1 bet, 2 yuan · returns 1.04 yuan on average "
            "(loses 0.96)");
  EXPECT_EQ(listOddsLine(odds3D(0), Language::Chinese),
            "随机落入 0.0%　投注 0 注 0 元　平均返还 0.00 元（亏 0.00 元）");
  EXPECT_EQ(verdictOddsLine(engine::Verdict::Big, Language::Chinese), "随机落入 50.0%");
  EXPECT_EQ(verdictOddsLine(engine::Verdict::Middle, Language::English), "right by chance 83.2%");
  EXPECT_EQ(verdictOddsLine(engine::Verdict::NoCall, Language::Chinese), "");
}

}  // namespace
}  // namespace quorvel::presentation
