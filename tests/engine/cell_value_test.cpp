#include "quorvel/engine/cell_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "row_name.h"

namespace quorvel::engine {
namespace {

struct ParseCase {
  std::string text;
  double expected;
};

std::string describe(const ParseCase& c) { return c.text.substr(0, 40); }

class LeadingNumber : public ::testing::TestWithParam<ParseCase> {};

TEST_P(LeadingNumber, ParsesAsTheCellRulesRead) {
  const ParseCase& c = GetParam();
  const double parsed = parseLeadingNumber(c.text);
  EXPECT_EQ(parsed, c.expected) << "text: \"" << c.text << "\"";
  EXPECT_EQ(std::signbit(parsed), std::signbit(c.expected)) << "text: \"" << c.text << "\"";
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    ::testing::Values(
        ParseCase{"", 0.0}, ParseCase{"12", 12.0}, ParseCase{" 7", 7.0}, ParseCase{"2.5", 2.5},
        ParseCase{"1e3", 1000.0}, ParseCase{"12abc", 12.0}, ParseCase{"1 2", 12.0},
        ParseCase{"1\t2\n3", 123.0}, ParseCase{"1 e 2", 100.0}, ParseCase{"- 5", -5.0},
        ParseCase{"1e", 1.0}, ParseCase{"1e+", 1.0}, ParseCase{"1e-", 1.0}, ParseCase{"1E2", 100.0},
        ParseCase{"1e-2", 0.01}, ParseCase{"1e+2x", 100.0}, ParseCase{"1e5.5", 1e5},
        ParseCase{".5", 0.5}, ParseCase{"-.5", -0.5}, ParseCase{"5.", 5.0}, ParseCase{"+5", 5.0},
        ParseCase{"1.2.3", 1.2}, ParseCase{"1,5", 1.0}, ParseCase{"007", 7.0},
        // Not numbers at all, or not numbers this rule knows.
        ParseCase{"inf", 0.0}, ParseCase{"nan", 0.0}, ParseCase{"0x10", 0.0},
        ParseCase{"&H10", 0.0}, ParseCase{"+-3", 0.0}, ParseCase{"-", 0.0}, ParseCase{".", 0.0},
        ParseCase{"-.", 0.0}, ParseCase{"e5", 0.0}, ParseCase{"\r5", 0.0}, ParseCase{"１２", 0.0},
        ParseCase{"1d2", 1.0},
        // Correct rounding of long digit strings, whole and fractional.
        ParseCase{"0000000000000000000000012", 12.0},
        ParseCase{"12345678901234567890123", 1.2345678901234568e22},
        ParseCase{"9007199254740993", 9007199254740992.0},
        ParseCase{"0.1000000000000000055511151231257827021181583404541015625", 0.1},
        ParseCase{"2.50000000000000000000000000000000000000000001", 2.5000000000000000},
        // Just below and just above the midpoint between 0.3 and the next double.
        ParseCase{"0.3000000000000000166533453693773481063544750213623046874", 0.3},
        ParseCase{"0.3000000000000000166533453693773481063544750213623046876", 0.30000000000000004},
        // Beyond the double range: infinity above, zero below.
        ParseCase{"1e400", kInf}, ParseCase{"-1e400", -kInf}, ParseCase{"1e-400", 0.0},
        ParseCase{"-1e-400", -0.0}, ParseCase{"1e308", 1e308}, ParseCase{"1e99999999999999", kInf},
        ParseCase{"0.0000001e-320", 0.0}, ParseCase{"1e-320", 1e-320}),
    testing::NamedRow{});

TEST(LeadingNumber, SkipsBlanksInsideAMegabyteOfDigits) {
  std::string text(1 << 20, '9');
  text[1] = ' ';
  EXPECT_EQ(parseLeadingNumber(text), kInf);
  EXPECT_EQ(parseLeadingNumber("0." + text), 1.0);
}

struct CellValueCase {
  std::string text;
  std::optional<std::int16_t> expected;
};

std::string describe(const CellValueCase& c) { return c.text; }

class CellValue : public ::testing::TestWithParam<CellValueCase> {};

TEST_P(CellValue, RoundsHalvesToEvenWithin16Bits) {
  EXPECT_EQ(cellValue(GetParam().text), GetParam().expected) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CellValue,
    ::testing::Values(CellValueCase{"", 0}, CellValueCase{"2.5", 2}, CellValueCase{"3.5", 4},
                      CellValueCase{"-0.5", 0}, CellValueCase{"-0.4", 0}, CellValueCase{"9.5", 10},
                      CellValueCase{"-2.5", -2}, CellValueCase{"32767", 32767},
                      CellValueCase{"32767.4", 32767}, CellValueCase{"32767.5", std::nullopt},
                      CellValueCase{"40000", std::nullopt}, CellValueCase{"-32768.5", -32768},
                      CellValueCase{"-32768.6", std::nullopt}, CellValueCase{"1e400", std::nullopt},
                      CellValueCase{"-1e400", std::nullopt}, CellValueCase{"1e-400", 0}),
    testing::NamedRow{});

}  // namespace
}  // namespace quorvel::engine
