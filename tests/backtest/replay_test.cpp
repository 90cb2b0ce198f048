#include "quorvel/backtest/replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "quorvel/backtest/record_reader.h"
#include "quorvel/game/game.h"
#include "quorvel/game/odds.h"

namespace quorvel::backtest {
namespace {

// The replay weighs lists a block of sums at a time from packed tables; the game's odds add them
// up one sum at a time. Both must give the same chance, stake and expected return.
TEST(Chance, TheReplaysWeightsAreTheForecastsOdds) {
  std::mt19937 random(5);
  for (int round = 0; round < 20000; ++round) {
    const engine::SumSet list = static_cast<engine::SumSet>(random()) & ((1U << 28) - 1);
    engine::PassResult result;
    result.writeList(engine::Output::PredictedRange, list);
    const Call call = scoreCalls(result, static_cast<int>(random() % 28))[0];
    const game::ListOdds odds = game::listOdds(list, game::kWelfare3D.sumBet);
    ASSERT_EQ(call.chanceThousandths, odds.chanceThousandths) << list;
    ASSERT_EQ(call.stakeYuan, odds.stakeYuan) << list;
    ASSERT_EQ(call.expectedMills, odds.expectedReturnMills) << list;
    ASSERT_EQ(listChance(list), odds.chanceThousandths) << list;
  }
  for (int v = 0; v < engine::kVerdictValues; ++v) {
    const auto verdict = static_cast<engine::Verdict>(v);
    EXPECT_EQ(verdictChance(verdict), game::verdictChanceThousandths(verdict).value_or(0));
  }
}

TEST(Chance, OfEachSideOfACall) {
  // Edges 0-6 and 21-27 hold 84 triples each; the twelve-cycle's front half 504.
  EXPECT_EQ(verdictChance(engine::Verdict::Middle), 832);
  EXPECT_EQ(verdictChance(engine::Verdict::Edge), 168);
  EXPECT_EQ(verdictChance(engine::Verdict::Big), 500);
  EXPECT_EQ(verdictChance(engine::Verdict::Even), 500);
  EXPECT_EQ(verdictChance(engine::Verdict::Front), 504);
  EXPECT_EQ(verdictChance(engine::Verdict::Back), 496);
  EXPECT_EQ(verdictChance(engine::Verdict::Mod3Is0), 334);
  EXPECT_EQ(verdictChance(engine::Verdict::Mod3Is1), 333);
  EXPECT_EQ(verdictChance(engine::Verdict::NoCall), 0);
}

// Whether older passes exist before a place agrees with the draw-by-draw account of which draws
// are replayed, over records with gaps anywhere.
TEST(Replay, OlderPassesAreThoseTheDrawByDrawAccountReplays) {
  std::mt19937 random(3);
  for (int round = 0; round < 2000; ++round) {
    const std::size_t draws = 1 + random() % 40;
    std::vector<std::size_t> restarts;
    for (std::size_t t = 1; t < draws; ++t) {
      if (random() % 5 == 0) restarts.push_back(t);
    }
    const std::vector<bool> replayed = replayedDraws(draws, restarts);
    for (std::size_t first = 0; first <= draws; ++first) {
      const bool older = std::find(replayed.begin(), replayed.begin() + static_cast<std::ptrdiff_t>(first),
                                   true) != replayed.begin() + static_cast<std::ptrdiff_t>(first);
      ASSERT_EQ(replaysBefore(first, restarts), older) << draws << " draws, from " << first;
    }
  }
}

TEST(Replay, ScoresTheWorkedGridAgainstTheNextDraw) {
  std::istringstream csv("period,d1,d2,d3,sum\n1,9,0,4,13\n2,2,7,1,10\n3,3,5,8,16\n4,1,2,9,12\n");
  const std::vector<Draw> draws = readRecord(csv).draws;
  ASSERT_EQ(draws.size(), 4u);
  const Replayed r = replay(draws[0], draws[1], draws[2], draws[3]);
  EXPECT_EQ(r.period, 4u);
  EXPECT_EQ(r.sum, 12);
  // Lists 4 5 8 9 10 11 12 14 15 17 20 22 23 / 4 8 9 11 12 15 22 23 / 9 11 12 15 22; calls edge,
  // big, even, front, remainder 0. The sum 12 is in every list, middle, small, even, front
  // (12 mod 12 = 0) and of remainder 0.
  const bool hits[8] = {true, true, true, false, false, true, true, true};
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(r.calls[static_cast<std::size_t>(i)].made)
        << "output " << static_cast<std::size_t>(i);
    EXPECT_EQ(r.calls[static_cast<std::size_t>(i)].hit, hits[i])
        << "output " << static_cast<std::size_t>(i);
  }
  EXPECT_EQ(r.calls[0].listSize, 13);
  EXPECT_EQ(r.calls[0].chanceThousandths, 624);  // 15+21+45+55+63+69+73+75+73+63+36+21+15
  EXPECT_EQ(r.calls[2].listSize, 5);
  EXPECT_EQ(r.calls[2].chanceThousandths, 291);  // 55+69+73+73+21
  EXPECT_EQ(r.calls[3].chanceThousandths, 168);  // edge
  // Thirteen bets of 2 yuan; the bet on 12 wins its 15 yuan.
  EXPECT_EQ(r.calls[0].stakeYuan, 26);
  EXPECT_EQ(r.calls[0].returnedMills, 15000);
  EXPECT_EQ(r.calls[3].stakeYuan, 0);
}

}  // namespace
}  // namespace quorvel::backtest
