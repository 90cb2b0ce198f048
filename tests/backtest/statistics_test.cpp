#include "quorvel/backtest/statistics.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::backtest {
namespace {

TEST(Chance, ExpectedRunsMatchCountingEverySequence) {
  // Three fair trials: of the eight sequences, HMH has two lone hits and HMM, MHM, MMH one each.
  EXPECT_DOUBLE_EQ(expectedRuns(1, 3, 0.5), 5.0 / 8);
  EXPECT_DOUBLE_EQ(expectedRuns(2, 3, 0.5), 2.0 / 8);
  EXPECT_DOUBLE_EQ(expectedRuns(3, 3, 0.5), 1.0 / 8);
  EXPECT_DOUBLE_EQ(expectedRuns(4, 3, 0.5), 0.0);
}

TEST(Chance, WilsonIntervals) {
  const auto [low0, high0] = wilsonInterval(0, 10);
  EXPECT_NEAR(low0, 0.0, 1e-12);
  EXPECT_NEAR(high0, 0.2775, 1e-4);
  const auto [low5, high5] = wilsonInterval(5, 10);
  EXPECT_NEAR(low5, 0.2366, 1e-4);
  EXPECT_NEAR(high5, 0.7634, 1e-4);
}

void expectNear(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-12) << i;
}

TEST(Holm, AdjustsAKnownFamilyStepByStep) {
  // Sorted: 0.005 x 4 = 0.02, 0.01 x 3 = 0.03, 0.03 x 2 = 0.06, then 0.04 x 1 = 0.04 is raised
  // to the 0.06 before it.
  const std::vector<double> p = {0.01, 0.04, 0.03, 0.005};
  expectNear(holmAdjust(p), {0.03, 0.06, 0.06, 0.02});
  // Capped at 1, and ties keep their order.
  const std::vector<double> ties = {0.5, 0.5, 0.2};
  expectNear(holmAdjust(ties), {1.0, 1.0, 0.6});
  EXPECT_TRUE(holmAdjust(std::vector<double>{}).empty());
}

}  // namespace
}  // namespace quorvel::backtest
