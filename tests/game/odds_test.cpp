#include "quorvel/game/odds.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "quorvel/game/game.h"

namespace quorvel::game {
namespace {

// A bet that buys every straight number of its sum at 2 yuan each and pays 1040 for the one drawn:
// a stake that differs sum by sum, as a game's sum bet may.
SumBet straightNumbersBet() {
  SumBet bet;
  bet.ticketYuan = 2;
  for (int sum = 0; sum <= kLargestSum; ++sum) {
    bet.stakeYuan[static_cast<std::size_t>(sum)] = 2 * ways(sum);
    bet.prizeYuan[static_cast<std::size_t>(sum)] = 1040;
  }
  return bet;
}

// Every one of the thousand equally likely draws, counted: how many land in the list, what the
// bets cost and what they return over them, against the odds worked out from ways(s).
TEST(Odds, ListOddsAgreeWithCountingEveryDraw) {
  const SumBet bets[] = {kWelfare3D.sumBet, straightNumbersBet()};
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    const engine::SumSet list = static_cast<engine::SumSet>(random()) & ((1U << 28) - 1);
    for (const SumBet& bet : bets) {
      int inList = 0;
      std::int64_t returnedMills = 0;  // yuan won over the thousand draws: mills a draw
      for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 10; ++b) {
          for (int c = 0; c < 10; ++c) {
            if (!engine::contains(list, a + b + c)) continue;
            ++inList;
            returnedMills += bet.prize(a + b + c);
          }
        }
      }
      int stake = 0;
      for (int s = 0; s <= kLargestSum; ++s) stake += engine::contains(list, s) ? bet.stake(s) : 0;
      const ListOdds odds = listOdds(list, bet);
      ASSERT_EQ(odds.chanceThousandths, inList) << list;
      ASSERT_EQ(odds.expectedReturnMills, returnedMills) << list;
      ASSERT_EQ(odds.stakeYuan, stake) << list;
      ASSERT_EQ(odds.bets * bet.ticketYuan, stake) << list;
    }
    // Every 3D sum's bet returns between 50 % and 55 % of its stake on average.
    const ListOdds odds = listOdds(list, kWelfare3D.sumBet);
    ASSERT_EQ(odds.bets, std::popcount(list)) << list;
    ASSERT_GE(20 * odds.expectedReturnMills, 10 * 1000 * odds.stakeYuan) << list;
    ASSERT_LE(20 * odds.expectedReturnMills, 11 * 1000 * odds.stakeYuan) << list;
  }
}

// A verdict is right on the draws whose sum its class holds; the two sides of a call cover every
// draw once.
TEST(Odds, TheTwoSidesOfEveryCallShareTheThousandDraws) {
  using engine::Verdict;
  const std::pair<Verdict, Verdict> sides[] = {{Verdict::Middle, Verdict::Edge},
                                              {Verdict::Big, Verdict::Small},
                                              {Verdict::Even, Verdict::Odd},
                                              {Verdict::Front, Verdict::Back}};
  for (const auto& [one, other] : sides) {
    EXPECT_EQ(*verdictChanceThousandths(one) + *verdictChanceThousandths(other), 1000);
    EXPECT_EQ(verdictSums(one) & verdictSums(other), 0U);
  }
  EXPECT_EQ(verdictChanceThousandths(Verdict::Middle), 832);
  EXPECT_FALSE(verdictChanceThousandths(Verdict::NoCall));
}

}  // namespace
}  // namespace quorvel::game
