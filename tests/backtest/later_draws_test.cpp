#include "quorvel/backtest/later_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// Fair draws after the fixed period: however often the player looks, the family's e-value
// reaches 20 (and any one output's reaches 160) at most one time in twenty. 300 records of 1500
// new draws each, the e-value watched after every draw.
TEST(LaterDraws, UnderFairDrawsWatchingEveryDrawRaisesAFalseAlarmAtMostAtTheLevel) {
  constexpr int kRecords = 300;
  int familyAlarms = 0, outputAlarms = 0;
  for (int r = 0; r < kRecords; ++r) {
    std::vector<Draw> draws = simulateHistory(1503, 70'000 + static_cast<std::uint64_t>(r));
    for (std::size_t i = 0; i < draws.size(); ++i) draws[i].period = game::kWelfare3D.verdictFixedThrough - 2 + i;
    LaterDraws watched;
    bool family = false, output = false;
    for (const Replayed& pass : replayFrom(draws, {}, 3)) {
      watched.add(pass);
      family = family || watched.shown();
      output = output || std::ranges::any_of(watched.outputs, &LaterOutput::shown);
    }
    familyAlarms += family;
    outputAlarms += output;
  }
  const double allowed = kLevel * kRecords + 3 * std::sqrt(kRecords * kLevel * (1 - kLevel));
  EXPECT_LE(familyAlarms, allowed);
  EXPECT_LE(outputAlarms, allowed);
}

// A real edge is caught, in about the time drawsToShow says: calls of chance one half that hit
// 60 % of the time reach kOutputEvidence, over 200 streams, after a median number of calls
// within a factor of two of it.
TEST(LaterDraws, AnEdgeIsShownInAboutTheDrawsItTakes) {
  const double predicted = drawsToShow(0.5, 0.1, 1).value();
  std::mt19937_64 generator(5);
  std::bernoulli_distribution hit(0.6);
  std::vector<double> taken;
  for (int stream = 0; stream < 200; ++stream) {
    LaterOutput output;
    long long calls = 0;
    while (!output.shown() && calls < 100'000) {
      Call call;
      call.made = true;
      call.chanceThousandths = 500;
      call.hit = hit(generator);
      output.add(call);
      ++calls;
    }
    taken.push_back(static_cast<double>(calls));
  }
  std::ranges::nth_element(taken, taken.begin() + 100);
  EXPECT_GT(taken[100], predicted / 2);
  EXPECT_LT(taken[100], predicted * 2);
  EXPECT_FALSE(drawsToShow(0.5, 0, 1).has_value());
  EXPECT_GT(drawsToShow(0.5, 0.02, 1).value(), drawsToShow(0.5, 0.1, 1).value());
  EXPECT_NEAR(drawsToShow(0.5, 0.1, 0.5).value(), 2 * predicted, 1e-9);
}

TEST(LaterDraws, ARecordThatEndsAtTheFixedPeriodHasNoLaterDraws) {
  std::vector<Draw> draws = simulateHistory(10, 1);
  for (std::size_t i = 0; i < draws.size(); ++i) draws[i].period = game::kWelfare3D.verdictFixedThrough - 9 + i;
  EXPECT_FALSE(runBacktest(draws, {}).laterDraws.has_value());
  EXPECT_FALSE(hasLaterDraws(draws, game::kWelfare3D));
  draws.push_back({game::kWelfare3D.verdictFixedThrough + 1, {1, 2, 3}});
  EXPECT_TRUE(hasLaterDraws(draws, game::kWelfare3D));
  EXPECT_FALSE(hasLaterDraws(std::span(draws).last(kMinimumDraws - 1), game::kWelfare3D));
  const std::optional<LaterDraws> next = runBacktest(draws, {}).laterDraws;
  ASSERT_TRUE(next.has_value());
  EXPECT_EQ(next->draws, 1);
  BacktestOptions simulated;
  simulated.laterDraws = false;
  EXPECT_FALSE(runBacktest(draws, simulated).laterDraws.has_value());
}

}  // namespace
}  // namespace quorvel::backtest
