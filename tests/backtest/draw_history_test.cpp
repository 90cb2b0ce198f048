#include "quorvel/backtest/draw_history.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "quorvel/report/problem_text.h"
#include "row_name.h"

namespace quorvel::backtest {
namespace {

using presentation::Language;
using report::locatedText;

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
  } catch (const BacktestError& error) {
    const Problem& problem = error.problem();
    EXPECT_EQ(locatedText("draws.csv", problem, Language::English), GetParam().message);
    // The page words the same fault at the same place in Chinese.
    const std::string place = "draws.csv 第" + std::to_string(problem.line) + "行第" +
                              std::to_string(problem.column) + "列：";
    const std::string chinese = locatedText("draws.csv", problem, Language::Chinese);
    ASSERT_TRUE(chinese.starts_with(place)) << chinese;
    EXPECT_GT(chinese.size(), place.size() + 6);
    EXPECT_EQ(chinese.find(report::problemText(problem, Language::English)), std::string::npos)
        << chinese;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HistoryErrors,
    ::testing::Values(
        BadHistory{"1,1,2,3\n2,1,12,3\n", "draws.csv:2:5: d2 is not a digit 0-9"},
        BadHistory{"1,1,2,3,6\n2,1,2,3,7\n",
                   "draws.csv:2:9: the sum is not 6, the sum of the digits"},
        BadHistory{"5,1,2,3\n6,1,2,3\n4,1,2,3\n",
                   "draws.csv:3:1: period 4 does not follow period 6"},
        BadHistory{"5,1,2,3\n5,1,2,3\n", "draws.csv:2:1: period 5 does not follow period 5"},
        BadHistory{
            "9,1,2,3\n8,1,2,3\n8,1,2,3\n",
            "draws.csv:3:1: period 8 does not come before period 8 in a record newest first"},
        BadHistory{
            "期号,开奖号码\n1,35\n",
            "draws.csv:2:1: expected period,d1,d2,d3[,sum] or period,number[,sum] (the three "
            "digits together, as 358), found 2 fields"},
        BadHistory{"期号\t百位\t十位\t个位\n1\t3\t5\t11\n", "draws.csv:2:7: d3 is not a digit 0-9"},
        BadHistory{
            "period,d1,d2,d3\n\n1,1,2\n",
            "draws.csv:3:1: expected period,d1,d2,d3[,sum] or period,number[,sum] (the three "
            "digits together, as 358), found 3 fields"},
        BadHistory{"x1,1,2,3\n", "draws.csv:1:1: the period is not a whole number"},
        BadHistory{"1,1,-2,3\n", "draws.csv:1:5: d2 is not a digit 0-9"},
        BadHistory{"1,1,2,3\r\n2,1,2,a\r\n", "draws.csv:2:7: d3 is not a digit 0-9"},
        BadHistory{"99999999999999999999999,1,2,3\n",
                   "draws.csv:1:1: the period is too large; the largest is 18446744073709551615"},
        BadHistory{std::string("1\0,\0"
                               "1\0,\0",
                               8),
                   "draws.csv:1:1: this looks like UTF-16 text; save the history as UTF-8"},
        BadHistory{"1,1,2,3\n2,\x9c\x01\xff\n",
                   "draws.csv:2:3: this is not a text file: a CSV history is UTF-8 text"},
        BadHistory{"1,1,2,3\n" + std::string(kMaxLineBytes + 7, ' ') + "\n",
                   "draws.csv:2:1048577: the line is longer than 1048576 bytes"}),
    testing::NamedRow{});

// Records as players keep them: every one below holds the draws 1: 1 2 3, 2: 9 9 9, 3: 0 4 7.
struct KeptRecord {
  std::string name;
  std::string csv;
  RecordOrder order;
};

std::string describe(const KeptRecord& c) { return c.name; }

class KeptRecords : public ::testing::TestWithParam<KeptRecord> {};

TEST_P(KeptRecords, ReadOldestFirst) {
  std::istringstream in(GetParam().csv);
  RecordOrder order = RecordOrder::OldestFirst;
  const std::vector<Draw> draws = readHistory(in, &order);
  std::string read;
  for (const Draw& d : draws) {
    read += std::to_string(d.period) + ": " + std::to_string(d.digits[0]) + " " +
            std::to_string(d.digits[1]) + " " + std::to_string(d.digits[2]) + ", ";
  }
  EXPECT_EQ(read, "1: 1 2 3, 2: 9 9 9, 3: 0 4 7, ");
  EXPECT_EQ(order, GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, KeptRecords,
    ::testing::Values(
        KeptRecord{"the command line's own", "period,d1,d2,d3\n1,1,2,3\n2,9,9,9\n3,0,4,7\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"a Chinese header, tabs",
                   "期号\t百位\t十位\t个位\t和值\n1\t1\t2\t3\t6\n2\t9\t9\t9\t27\n3\t0\t4\t7\t11\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"newest first", "期号,百位,十位,个位,和值\n3,0,4,7,11\n2,9,9,9,27\n1,1,2,3,6\n",
                   RecordOrder::NewestFirst},
        KeptRecord{"the three digits together", "期数,开奖号码\n3,047\n2,9 9 9\n1,123\n",
                   RecordOrder::NewestFirst},
        KeptRecord{"together with the sum",
                   "Issue,Number,Sum\r\n1,1 2 3,6\r\n2,999,27\r\n3,047,11\r\n",
                   RecordOrder::OldestFirst}),
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
