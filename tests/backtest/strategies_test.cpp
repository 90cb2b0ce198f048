#include "quorvel/backtest/strategies.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// Each strategy recounted from its rule, sharing nothing with the library: the values looked up
// in the draws before, the prizes read off the game's table by hand.
StrategyTallies recount(const std::vector<Draw>& draws, const game::Game& game) {
  StrategyTallies tallies;
  const auto valueOf = [&](std::size_t i, std::size_t strategy) {
    return strategy < 3 ? draws[i].sum() : draws[i].digits[strategy - 3];
  };
  for (std::size_t i = 1; i < draws.size(); ++i) {
    for (std::size_t s = 0; s < kStrategies; ++s) {
      const int values = s < 3 ? 28 : 10;
      int call = -1;
      if (s == 1) {  // the most drawn of the last 30, the smallest of equals
        if (i < 30) continue;
        int most = -1;
        for (int v = 0; v < values; ++v) {
          int count = 0;
          for (std::size_t j = i - 30; j < i; ++j) count += valueOf(j, s) == v;
          if (count > most) most = count, call = v;
        }
      } else if (s == 2) {
        call = valueOf(i - 1, s);
      } else {  // the longest gap: the value whose last coming is the earliest, or never
        std::int64_t longest = -1;
        for (int v = 0; v < values; ++v) {
          std::int64_t gap = static_cast<std::int64_t>(i);
          for (std::size_t j = i; j-- > 0;) {
            if (valueOf(j, s) == v) {
              gap = static_cast<std::int64_t>(i - 1 - j);
              break;
            }
          }
          if (gap > longest) longest = gap, call = v;
        }
      }
      StrategyTally& t = tallies[s];
      const bool hit = valueOf(i, s) == call;
      ++t.calls;
      t.hits += hit;
      if (s < 3) {
        int ways = 0;
        for (int a = 0; a < 10; ++a)
          for (int b = 0; b < 10; ++b) ways += call - a - b >= 0 && call - a - b <= 9;
        t.chanceThousandths += ways;
        const int stake = game.sumBet.stakeYuan[static_cast<std::size_t>(call)];
        const int prize = game.sumBet.prizeYuan[static_cast<std::size_t>(call)];
        t.stakeYuan += stake;
        t.returnedYuan += hit ? prize : 0;
        t.expectedReturnMills += static_cast<std::int64_t>(ways) * prize;
      } else {
        t.chanceThousandths += 100;
      }
    }
  }
  return tallies;
}

TEST(Strategies, EveryStrategysCallsHitsAndMoneyAreARecount) {
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    std::mt19937_64 random(seed);
    const std::vector<Draw> draws = simulateHistory(2 + random() % 300, seed);
    for (const game::Game* game : game::kGames) {
      EXPECT_EQ(replayStrategies(draws, *game), recount(draws, *game)) << "seed " << seed;
    }
  }
}

TEST(Strategies, OnTheShippedRecordsTheyAreARecount) {
  const std::pair<const char*, const game::Game*> records[] = {
      {QUORVEL_REAL_RECORD, &game::kWelfare3D}, {QUORVEL_PICK3_RECORD, &game::kSportsPick3}};
  for (const auto& [path, game] : records) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<Draw> draws = readRecord(in).draws;
    const std::vector<Draw> recent(draws.end() - 1500, draws.end());  // the recount is quadratic
    EXPECT_EQ(replayStrategies(recent, *game), recount(recent, *game)) << path;
  }
}

// The test's statistics are the recount's on the record, and each shuffle's is the recount of
// the record in that shuffle's order.
TEST(Strategies, TheTestWeighsTheRecordAgainstItsShuffledOrders) {
  const std::vector<Draw> draws = simulateHistory(200, 4);
  const StrategiesTest test = testStrategies(draws, game::kWelfare3D, 30, 9);
  EXPECT_EQ(test.tallies, recount(draws, game::kWelfare3D));
  ASSERT_GE(test.shuffles, 30U);
  for (std::size_t s = 0; s < kStrategies; ++s) {
    int reaching = 0;
    for (std::uint64_t b = 0; b < test.shuffles; ++b) {
      const std::vector<std::uint32_t> order = shuffleOrder(draws.size(), 9, b);
      std::vector<Draw> shuffled;
      for (const std::uint32_t at : order) shuffled.push_back(draws[at]);
      reaching += recount(shuffled, game::kWelfare3D)[s].excessThousandths() >=
                  test.tallies[s].excessThousandths();
    }
    EXPECT_NEAR(test.family.claims[s].pValue,
                (1.0 + reaching) / (static_cast<double>(test.shuffles) + 1), 1e-12)
        << "strategy " << s;
  }
}

}  // namespace
}  // namespace quorvel::backtest
