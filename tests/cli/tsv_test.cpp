#include <gtest/gtest.h>

#include <sstream>

#include "screen_report.h"
#include "tsv_codec.h"
#include "tsv_filter.h"

namespace quorvel {
namespace {

struct DecodeCase {
  std::string line;
  std::array<std::string, 12> cells;  // when the line is good
  std::string error;                  // "" for a good line
};

class DecodeLine : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeLine, SplitsTwelveFieldsAndDecodesEscapes) {
  const DecodeCase& c = GetParam();
  std::array<std::string, 12> cells;
  EXPECT_EQ(tsv::decodeLine(c.line, cells), c.error);
  if (c.error.empty()) {
    EXPECT_EQ(cells, c.cells);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DecodeLine,
    ::testing::Values(
        DecodeCase{"1\t2\t3\t6\t4\t5\t6\t15\t7\t8\t9\t24",
                   {"1", "2", "3", "6", "4", "5", "6", "15", "7", "8", "9", "24"},
                   ""},
        DecodeCase{"\t\t\t\t\t\t\t\t\t\t\t", {}, ""},
        DecodeCase{
            "1\t\t\t\t\t\t\t\t\t\t\t2\r", {"1", "", "", "", "", "", "", "", "", "", "", "2"}, ""},
        DecodeCase{"a\\tb\t\\n\t\\r\t\\\\\t\t\t\t\t\t\t\t\\\\t",
                   {"a\tb", "\n", "\r", "\\", "", "", "", "", "", "", "", "\\t"},
                   ""},
        // Only one carriage return, and only at the very end, is dropped.
        DecodeCase{"1\r\r\t\t\t\t\t\t\t\t\t\t\t", {"1\r\r"}, ""},
        DecodeCase{
            "\t\t\t\t\t\t\t\t\t\t\t\r\r", {"", "", "", "", "", "", "", "", "", "", "", "\r"}, ""},
        DecodeCase{"", {}, "expected 12 tab-separated fields, found 1"},
        DecodeCase{"1\t2\t3", {}, "expected 12 tab-separated fields, found 3"},
        DecodeCase{"\t\t\t\t\t\t\t\t\t\t\t\t", {}, "expected 12 tab-separated fields, found 13"},
        DecodeCase{"\\q\t\t\t\t\t\t\t\t\t\t\t", {}, "field 1 has the unknown escape \\q"},
        DecodeCase{"\t\\\x01\t\t\t\t\t\t\t\t\t\t",
                   {},
                   "field 2 has the unknown escape \\ followed by byte 0x1"},
        DecodeCase{"\t\t\t\t\t\t\t\t\t\t\t\\", {}, "field 12 ends in a lone backslash"}));

TEST(Escapes, RoundTripEveryByte) {
  std::string field;
  for (int c = 0; c < 256; ++c) field.push_back(static_cast<char>(c));
  std::string line;
  for (int i = 0; i < 12; ++i) {
    if (i > 0) line.push_back('\t');
    tsv::appendEscaped(line, field);
  }
  EXPECT_EQ(line.find('\n'), std::string::npos);
  std::array<std::string, 12> cells;
  ASSERT_EQ(tsv::decodeLine(line, cells), "");
  for (const std::string& cell : cells) EXPECT_EQ(cell, field);
}

TEST(TsvFilter, WritesOneResultLineForEachGrid) {
  std::istringstream in(
      "3\t5\t8\t16\t2\t7\t1\t10\t9\t0\t4\t13\n"
      "40000\t\t\t\t\t\t\t\t\t\t\t\r\n"
      "\t\t\t50000\t\t\t\t50000\t\t\t\t");
  std::ostringstream out, err;
  EXPECT_EQ(tsv::runFilter(in, out, err), 0);
  EXPECT_EQ(out.str(),
            "4 5 8 9 10 11 12 14 15 17 20 22 23 \t4 8 9 11 12 15 22 23 \t9 11 12 15 22 \t"
            "中边：边\t大小：大\t单双：双\t前后：前肖\t3N：3０\t0\n"
            "\t\t\t\t\t\t\t\t6\n"
            "5 7 8 9 11 12 14 16 17 18 \t\t\t\t\t\t\t\t6\n");
  EXPECT_EQ(err.str(), "");
}

TEST(TsvFilter, StopsAtTheFirstBadLineAfterWritingTheOnesBefore) {
  std::istringstream in(
      "\t\t\t\t\t\t\t\t\t\t\t\n"
      "\t\t\t\t\t\t\t\t\t\t\t\n"
      "1\t2\n"
      "\t\t\t\t\t\t\t\t\t\t\t\n");
  std::ostringstream out, err;
  EXPECT_EQ(tsv::runFilter(in, out, err), 2);
  const std::string emptyGrid =
      "5 8 9 11 12 14 15 17 18 \t5 8 9 11 14 15 17 18 \t5 8 9 11 14 15 17 18 \t"
      "中边：边\t大小：小\t单双：双\t前后：前肖\t3N：3２\t0\n";
  EXPECT_EQ(out.str(), emptyGrid + emptyGrid);
  EXPECT_EQ(err.str(), "quorvel-predict: line 3: expected 12 tab-separated fields, found 2\n");
}

TEST(TsvFilter, EmptyInputWritesNothing) {
  std::istringstream in("");
  std::ostringstream out, err;
  EXPECT_EQ(tsv::runFilter(in, out, err), 0);
  EXPECT_EQ(out.str(), "");
}

TEST(ScreenReport, ShowsWrittenBoxesInScreenOrderUnderTheirCaptions) {
  GridTexts grid{"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"};
  EXPECT_EQ(screenReport(runPredictionPass(grid)),
            "预测号码范围\n4 5 8 9 10 11 12 14 15 17 20 22 23 \n"
            "重点号码范围\n4 8 9 11 12 15 22 23 \n"
            "极限号码\n9 11 12 15 22 \n"
            "属性选择\n中边：边\n3N：3０\n大小：大\n单双：双\n前后：前肖\n");

  GridTexts keyOverflow{"", "", "", "50000", "", "", "", "50000"};
  EXPECT_EQ(screenReport(runPredictionPass(keyOverflow)),
            "预测号码范围\n5 7 8 9 11 12 14 16 17 18 \n");
  GridTexts firstCell{"40000"};
  EXPECT_EQ(screenReport(runPredictionPass(firstCell)), "");
}

}  // namespace
}  // namespace quorvel
