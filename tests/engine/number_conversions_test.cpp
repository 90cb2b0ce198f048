#include "quorvel/number_conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "pass_failure.h"
#include "rounding.h"

namespace quorvel {
namespace {

struct ParseCase {
  std::string text;
  double expected;
};

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
        ParseCase{"0.0000001e-320", 0.0}, ParseCase{"1e-320", 1e-320}));

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
                      CellValueCase{"-1e400", std::nullopt}, CellValueCase{"1e-400", 0}));

struct WholeNumberCase {
  double x;
  std::optional<std::int32_t> expected;
};

class WholeNumberRounding : public ::testing::TestWithParam<WholeNumberCase> {};

TEST_P(WholeNumberRounding, RoundsTo15DigitsThenHalvesToEven) {
  const WholeNumberCase& c = GetParam();
  if (c.expected) {
    EXPECT_EQ(wholeNumberRound(c.x), *c.expected) << "x = " << c.x;
  } else {
    EXPECT_THROW(wholeNumberRound(c.x), PassStopped) << "x = " << c.x;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Reals, WholeNumberRounding,
    ::testing::Values(
        WholeNumberCase{0.1 + 2.2 + 0.2, 2},  // 2.5000000000000004 is 2.5 at 15 digits
        WholeNumberCase{2.5, 2}, WholeNumberCase{3.5, 4}, WholeNumberCase{-2.5, -2},
        WholeNumberCase{12.5, 12}, WholeNumberCase{13.5, 14}, WholeNumberCase{-13.0, -13},
        WholeNumberCase{3.4999999999999996, 4},  // 3.5 at 15 digits
        WholeNumberCase{0.49999999999999994, 0}, WholeNumberCase{2.4999, 2},
        WholeNumberCase{2147483647.0, 2147483647}, WholeNumberCase{2147483647.4, 2147483647},
        WholeNumberCase{2147483647.5, std::nullopt}, WholeNumberCase{-2147483648.5, INT32_MIN},
        WholeNumberCase{-2147483649.0, std::nullopt}, WholeNumberCase{3e9, std::nullopt},
        WholeNumberCase{1e300, std::nullopt}, WholeNumberCase{kInf, std::nullopt},
        WholeNumberCase{-kInf, std::nullopt},
        WholeNumberCase{std::numeric_limits<double>::quiet_NaN(), std::nullopt}));

TEST(Rounding, SixteenBitOverflowIsTheOverflowFailure) {
  try {
    roundToInt16(32768.0);
    FAIL() << "32768 does not fit";
  } catch (const PassStopped& stopped) {
    EXPECT_EQ(stopped.failure(), Failure::Overflow);
  }
  EXPECT_EQ(roundToInt16(-32768.0), -32768);
  EXPECT_EQ(roundToInt16(7.5), 8);
  EXPECT_THROW(roundToInt16(std::numeric_limits<double>::quiet_NaN()), PassStopped);
}

TEST(Rounding, RemainderTakesTheSignOfTheDividend) {
  EXPECT_EQ(truncMod(-13, 10), -3);
  EXPECT_EQ(truncMod(-13, 12), -1);
  EXPECT_EQ(truncMod(-3, 2), -1);
  EXPECT_EQ(truncMod(48, 28), 20);
  EXPECT_EQ(truncMod(-13, 28), -13);
  EXPECT_EQ(truncMod(INT32_MIN, 10), -8);
}

}  // namespace
}  // namespace quorvel
