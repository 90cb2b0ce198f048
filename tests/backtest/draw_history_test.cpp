#include "quorvel/backtest/draw_history.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    readRecord(in);
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
        BadHistory{"5,1,2,3\n6,4,5,6\n5,1,2,4\n",
                   "draws.csv:3:1: period 5 is on line 1 already, with another draw: which is "
                   "right?"},
        BadHistory{
            "9,1,2,3\n8,1,2,3\n10,1,2,3\n",
            "draws.csv:3:1: period 10 does not come before period 8 in a record newest first"},
        BadHistory{"期号,开奖号码\n2026002,35\n",
                   "draws.csv:2:9: the draw 35 has 2 digits: a number that lost its leading "
                   "zeros? It would be 035?"},
        BadHistory{"2026160,332,745\n",
                   "draws.csv:1:13: column 3 (745) is not the draw's sum; if it is another "
                   "column, such as the trial number, name the columns in a header "
                   "(period,number,trial) and it is left out"},
        BadHistory{"期号,开奖日期,试机号\n1,2026-01-01,345\n",
                   "draws.csv:1:1: the header names no column of the draw: number (or 开奖号码), "
                   "or d1,d2,d3 (or 百位,十位,个位)"},
        BadHistory{"期号\t百位\t十位\t个位\n1\t3\t5\t11\n", "draws.csv:2:7: d3 is not a digit 0-9"},
        BadHistory{"period,d1,d2,d3\n\n1,1,2\n",
                   "draws.csv:3:1: expected a period and its draw (3,5,8 or 358 or 3 5 8), perhaps "
                   "a date between and the sum after, found 3 fields"},
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
  const Record record = readRecord(in);
  const std::vector<Draw>& draws = record.draws;
  std::string read;
  for (const Draw& d : draws) {
    read += std::to_string(d.period) + ": " + std::to_string(d.digits[0]) + " " +
            std::to_string(d.digits[1]) + " " + std::to_string(d.digits[2]) + ", ";
  }
  EXPECT_EQ(read, "1: 1 2 3, 2: 9 9 9, 3: 0 4 7, ");
  EXPECT_EQ(record.notes.order, GetParam().order);
  EXPECT_TRUE(record.notes.gaps.empty());
  // Told the input's size, the reader holds the draws in one block and reads the same.
  std::istringstream again(GetParam().csv);
  const Record sized = readRecord(again, GetParam().csv.size());
  ASSERT_EQ(sized.draws.size(), draws.size());
  for (std::size_t i = 0; i < draws.size(); ++i) {
    EXPECT_EQ(sized.draws[i].period, draws[i].period);
    EXPECT_TRUE(sized.draws[i].sameDigits(draws[i]));
  }
  EXPECT_GE(sized.draws.capacity(), GetParam().csv.size() / 6);
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
                   RecordOrder::OldestFirst},
        KeptRecord{"spaces, a date", "1 2026-06-19 1 2 3\n2 2026-06-20 9 9 9\n3 2026-06-21 0 4 7\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"spaces alone", "3 0 4 7\n2   9 9 9\n1 1 2 3\n", RecordOrder::NewestFirst},
        KeptRecord{"a date and the draw quoted",
                   "期号,开奖日期,开奖号码\n1,2026-06-19,\"1,2,3\"\n2,2026-06-20,\"9,9,9\"\n"
                   "3,2026-06-21,\"0,4,7\"\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"a date with its weekday",
                   "1,2026-06-19(五),1 2 3\n2,2026/6/20(六),9 9 9\n3,2026.06.21（日）,0 4 7\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"the trial number after the draw",
                   "期号,开奖号码,试机号\n1,123,456\n2,999,000\n3,047,111\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"the trial number before it",
                   "期号,试机号,开奖号码\n1,456,123\n2,000,999\n3,111,047\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"a column the reader cannot place",
                   "日期,期号,星期,百位,十位,个位\nx,1,五,1,2,3\n"
                   "y,2,六,9,9,9\nz,3,日,0,4,7\n",
                   RecordOrder::OldestFirst},
        KeptRecord{"old Mac line ends", "1,1,2,3\r2,9,9,9\r3,0,4,7\r", RecordOrder::OldestFirst},
        KeptRecord{"two exports merged", "1,1,2,3\n2,9,9,9\n2,9,9,9\n1,1,2,3\n2,9,9,9\n3,0,4,7\n",
                   RecordOrder::OldestFirst}),
    testing::NamedRow{});

// Within a year a gap is noted and the replay starts again after it; a new year is no gap, and a
// line read twice counts once.
TEST(History, NotesTheGapsOfAYearAndTheLinesReadTwice) {
  std::istringstream in(
      "2025358,1,2,3\n2025359,1,2,3\n2026001,1,2,3\n2026002,4,5,6\n2026002,4,5,6\n"
      "2026010,7,8,9\n2026011,7,8,9\n2026013,0,0,0\n");
  const Record record = readRecord(in);
  EXPECT_EQ(record.draws.size(), 7u);
  EXPECT_EQ(record.notes.gaps, (std::vector<Gap>{{2026002, 2026010, 7}, {2026011, 2026013, 1}}));
  EXPECT_EQ(record.notes.restarts, (std::vector<std::size_t>{4, 6}));
  EXPECT_EQ(record.notes.repeated, 1u);
}

TEST(History, AcceptsByteOrderMarkCrlfBlankLinesAndAHeader) {
  std::istringstream in(
      "\xEF\xBB\xBFperiod,d1,d2,d3,sum\r\n\r\n2024001,1,2,3,6\r\n2024002, 9, 9, 9,27\r\n\n");
  const std::vector<Draw> draws = readRecord(in).draws;
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
