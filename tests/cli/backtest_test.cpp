#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "backtest/draw_history.h"
#include "backtest/replay.h"
#include "backtest/report.h"
#include "row_name.h"

namespace quorvel::backtest {
namespace {

TEST(Chance, SumProbabilitiesCountDigitTriples) {
  double total = 0;
  for (int s = 0; s < 28; ++s) total += sumProbability(s);
  EXPECT_NEAR(total, 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(sumProbability(0), 0.001);
  EXPECT_DOUBLE_EQ(sumProbability(1), 0.003);
  EXPECT_DOUBLE_EQ(sumProbability(13), 0.075);
  EXPECT_DOUBLE_EQ(sumProbability(14), 0.075);
  EXPECT_DOUBLE_EQ(sumProbability(20), 0.036);
  EXPECT_DOUBLE_EQ(sumProbability(27), 0.001);
}

TEST(Chance, OfEachSideOfACall) {
  // Edges 0-6 and 21-27 hold 84 triples each; the twelve-cycle's front half 504.
  EXPECT_NEAR(verdictChance(Verdict::Middle), 0.832, 1e-12);
  EXPECT_NEAR(verdictChance(Verdict::Edge), 0.168, 1e-12);
  EXPECT_NEAR(verdictChance(Verdict::Big), 0.5, 1e-12);
  EXPECT_NEAR(verdictChance(Verdict::Even), 0.5, 1e-12);
  EXPECT_NEAR(verdictChance(Verdict::Front), 0.504, 1e-12);
  EXPECT_NEAR(verdictChance(Verdict::Back), 0.496, 1e-12);
  EXPECT_NEAR(verdictChance(Verdict::Mod3Is0), 0.334, 1e-12);
  EXPECT_NEAR(verdictChance(Verdict::Mod3Is1), 0.333, 1e-12);
  EXPECT_EQ(verdictChance(Verdict::NoCall), 0.0);
}

TEST(Replay, ScoresTheWorkedGridAgainstTheNextDraw) {
  std::istringstream csv("period,d1,d2,d3,sum\n1,9,0,4,13\n2,2,7,1,10\n3,3,5,8,16\n4,1,2,9,12\n");
  const std::vector<Draw> draws = readHistory(csv);
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
        << kOutputNames[static_cast<std::size_t>(i)];
    EXPECT_EQ(r.calls[static_cast<std::size_t>(i)].hit, hits[i])
        << kOutputNames[static_cast<std::size_t>(i)];
  }
  EXPECT_EQ(r.calls[0].listSize, 13);
  EXPECT_NEAR(r.calls[0].chance, 0.624, 1e-12);  // 15+21+45+55+63+69+73+75+73+63+36+21+15
  EXPECT_EQ(r.calls[2].listSize, 5);
  EXPECT_NEAR(r.calls[2].chance, 0.291, 1e-12);  // 55+69+73+73+21
  EXPECT_NEAR(r.calls[3].chance, 0.168, 1e-12);  // edge
}

Replayed withCalls(std::initializer_list<int> states) {  // 1 hit, 0 miss, -1 no call
  Replayed r{};
  std::size_t i = 0;
  for (int state : states) {
    r.calls[i].made = state >= 0;
    r.calls[i].noCall = state < 0;
    r.calls[i].hit = state == 1;
    r.calls[i].chance = 0.25;
    ++i;
  }
  return r;
}

TEST(Summary, CountsHitsAndRunsOfConsecutiveHitsAndMisses) {
  Summary summary;
  for (int state : {1, 1, 0, 1, 0, 0, -1, 0, 1}) summary.add(withCalls({state}));
  summary.finish();
  const OutputSummary& o = summary.output(0);
  EXPECT_EQ(summary.replays(), 9);
  EXPECT_EQ(o.calls, 8);
  EXPECT_EQ(o.hits, 4);
  EXPECT_EQ(o.noCalls, 1);
  EXPECT_DOUBLE_EQ(o.hitRate(), 0.5);
  EXPECT_DOUBLE_EQ(o.chanceRate(), 0.25);
  // Calls: H H M H M M (no call) M H: a no call neither breaks nor extends a run.
  EXPECT_EQ(o.runs.hits, (std::map<int, long long>{{1, 2}, {2, 1}}));
  EXPECT_EQ(o.runs.misses, (std::map<int, long long>{{1, 1}, {3, 1}}));
}

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

struct BadHistory {
  std::string csv;
  std::string message;
};

std::string describe(const BadHistory& c) { return c.message.substr(c.message.find(' ') + 1); }

class HistoryErrors : public ::testing::TestWithParam<BadHistory> {};

TEST_P(HistoryErrors, NameFileLineAndColumn) {
  std::istringstream in(GetParam().csv);
  try {
    readHistory(in);
    FAIL() << "accepted: " << GetParam().csv;
  } catch (const LocatedError& error) {
    EXPECT_EQ("draws.csv:" + std::string(error.what()), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HistoryErrors,
    ::testing::Values(
        BadHistory{"1,1,2,3\n2,1,12,3\n", "draws.csv:2:5: d2 is not a digit 0-9"},
        BadHistory{"1,1,2,3,6\n2,1,2,3,7\n",
                   "draws.csv:2:9: the sum is not 6, the sum of the digits"},
        BadHistory{"5,1,2,3\n4,1,2,3\n", "draws.csv:2:1: period 4 does not follow period 5"},
        BadHistory{"5,1,2,3\n5,1,2,3\n", "draws.csv:2:1: period 5 does not follow period 5"},
        BadHistory{
            "period,d1,d2,d3\n\n1,1,2\n",
            "draws.csv:3:1: expected period,d1,d2,d3 or period,d1,d2,d3,sum, found 3 fields"},
        BadHistory{"x1,1,2,3\n", "draws.csv:1:1: the period is not a whole number"},
        BadHistory{"1,1,-2,3\n", "draws.csv:1:5: d2 is not a digit 0-9"},
        BadHistory{"1,1,2,3\r\n2,1,2,a\r\n", "draws.csv:2:7: d3 is not a digit 0-9"}),
    testing::NamedRow{});

TEST(History, AcceptsByteOrderMarkCrlfBlankLinesAndAHeader) {
  std::istringstream in(
      "\xEF\xBB\xBFperiod,d1,d2,d3,sum\r\n\r\n2024001,1,2,3,6\r\n2024002, 9, 9, 9,27\r\n\n");
  const std::vector<Draw> draws = readHistory(in);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[1].period, 2024002u);
  EXPECT_EQ(draws[1].sum(), 27);
}

TEST(History, SimulationIsFixedBySeedAndUniform) {
  const std::vector<Draw> a = simulateHistory(20000, 1);
  EXPECT_EQ(a.size(), 20000u);
  const std::vector<Draw> b = simulateHistory(20000, 1);
  long long digitCounts[10] = {};
  for (std::size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].period, i + 1);
    for (int k = 0; k < 3; ++k) {
      ASSERT_EQ(a[i].digits[k], b[i].digits[k]);
      ++digitCounts[a[i].digits[k]];
    }
  }
  for (long long count : digitCounts) EXPECT_NEAR(static_cast<double>(count), 6000.0, 400.0);
  // The draws are those of std::mt19937_64, the same on every machine: seed 1 starts 8 2 0.
  const std::vector<Draw> seeded = simulateHistory(1, 1);
  EXPECT_EQ(std::to_string(seeded[0].digits[0]) + std::to_string(seeded[0].digits[1]) +
                std::to_string(seeded[0].digits[2]),
            "820");
}

}  // namespace
}  // namespace quorvel::backtest
