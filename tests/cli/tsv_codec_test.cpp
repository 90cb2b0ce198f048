#include "quorvel/cli/tsv_codec.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace quorvel::cli {
namespace {

// What decodeLine says of a line: "" when it takes it, else its message.
std::string decodeError(std::string_view line, engine::GridStrings& cells) {
  try {
    decodeLine(line, 1, cells);
    return "";
  } catch (const LocatedError& error) {
    return error.message();
  }
}

struct DecodeCase {
  std::string line;
  std::array<std::string, 12> cells;  // when the line is good
  std::string error;                  // "" for a good line
};

std::string describe(const DecodeCase& c) { return c.error.empty() ? "good " + c.line : c.error; }

class DecodeLine : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeLine, SplitsTwelveFieldsAndDecodesEscapes) {
  const DecodeCase& c = GetParam();
  engine::GridStrings cells;
  EXPECT_EQ(decodeError(c.line, cells), c.error);
  // The splitter that answers the filter's lines agrees, field by field or by its message.
  engine::GridStrings scratch;
  engine::GridTexts fields;
  try {
    splitLine(c.line, 1, scratch, fields);
    EXPECT_EQ(c.error, "");
    for (std::size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(fields[i], c.cells[i]) << i;
  } catch (const LocatedError& error) {
    EXPECT_EQ(error.message(), c.error);
  }
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
        DecodeCase{"\t\t\t\t\t\t\t\t\t\t\t\\", {}, "field 12 ends in a lone backslash"}),
    testing::NamedRow{});

TEST(Escapes, RoundTripEveryByte) {
  std::string field;
  for (int c = 0; c < 256; ++c) field.push_back(static_cast<char>(c));
  std::string line;
  for (int i = 0; i < 12; ++i) {
    if (i > 0) line.push_back('\t');
    appendEscaped(line, field);
  }
  EXPECT_EQ(line.find('\n'), std::string::npos);
  engine::GridStrings cells;
  ASSERT_EQ(decodeError(line, cells), "");
  for (const std::string& cell : cells) EXPECT_EQ(cell, field);
}

}  // namespace
}  // namespace quorvel::cli
