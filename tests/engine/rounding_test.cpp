#include "rounding.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "pass_stopped.h"
#include "row_name.h"

namespace quorvel::engine {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct WholeNumberCase {
  double x;
  std::optional<std::int32_t> expected;
};

std::string describe(const WholeNumberCase& c) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, c.x).ptr);
}

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
        WholeNumberCase{std::numeric_limits<double>::quiet_NaN(), std::nullopt}),
    testing::NamedRow{});

TEST(Rounding, SixteenBitOverflowIsTheOverflowFailure) {
  try {
    roundToInt16OrOverflow(32768.0);
    FAIL() << "32768 does not fit";
  } catch (const PassStopped& stopped) {
    EXPECT_EQ(stopped.failure(), Failure::Overflow);
  }
  EXPECT_EQ(roundToInt16OrOverflow(-32768.0), -32768);
  EXPECT_EQ(roundToInt16OrOverflow(7.5), 8);
  EXPECT_THROW(roundToInt16OrOverflow(std::numeric_limits<double>::quiet_NaN()), PassStopped);
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
}  // namespace quorvel::engine
