// The portable road of the decimal conversions against the standard library's, where this build
// has both: they must give the very same doubles.

#include "decimal_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace quorvel::engine {
namespace {

bool sameDouble(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Decimal texts of every shape the cell reader hands on: long and short digit runs, points
// anywhere, exponents near both ends of the double range, and halfway cases.
std::string randomNumber(std::mt19937_64& random) {
  const auto pick = [&](unsigned n) { return static_cast<unsigned>(random() % n); };
  std::string text;
  const unsigned digits = 1 + pick(pick(4) == 0 ? 40 : 8);
  const unsigned point = pick(digits + 2);
  for (unsigned i = 0; i < digits; ++i) {
    if (i == point) text += '.';
    text += static_cast<char>('0' + (pick(3) == 0 ? 0 : pick(10)));
  }
  if (pick(3) == 0) {
    static const char* kTails[] = {"5", "50000000000000000001", "4999999999999999999"};
    text += kTails[pick(3)];
  }
  if (pick(2) == 0) {
    const int exponent = static_cast<int>(pick(700)) - 350;
    text += (pick(2) == 0 ? "e" : "E") + std::to_string(exponent);
  }
  return text;
}

TEST(DecimalText, ThePortableReadGivesTheStandardDoubles) {
  if (!standard::available()) GTEST_SKIP() << "no floating-point from_chars here";
  std::mt19937_64 random(20261209);
  for (int n = 0; n < 300000; ++n) {
    const std::string text = randomNumber(random);
    const DecimalRead a = portable::readDecimal(text), b = standard::readDecimal(text);
    ASSERT_TRUE(a.outOfRange == b.outOfRange && sameDouble(a.value, b.value))
        << text << ": " << a.value << " against " << b.value;
  }
  for (const char* edge : {"1e-400", "1e400", "4.9e-324", "2.4703282292062328e-324",
                           "2.4703282292062327e-324", "2.2250738585072011e-308", "1e-310",
                           "1.7976931348623157e308", "1.7976931348623159e308", "0", "0.0e999"}) {
    const DecimalRead a = portable::readDecimal(edge), b = standard::readDecimal(edge);
    EXPECT_TRUE(a.outOfRange == b.outOfRange && sameDouble(a.value, b.value)) << edge;
  }
}

TEST(DecimalText, ThePortableFifteenDigitsGiveTheStandardDoubles) {
  if (!standard::available()) GTEST_SKIP() << "no floating-point to_chars here";
  std::mt19937_64 random(7);
  for (int n = 0; n < 300000; ++n) {
    // Any finite double, and sums of decimal fractions like those the rules form.
    double x = std::bit_cast<double>(random());
    if (!std::isfinite(x) || n % 2 == 0) {
      x = static_cast<double>(random() % 2000000) / 1000.0 +
          static_cast<double>(random() % 10) * 0.1;
    }
    ASSERT_TRUE(sameDouble(portable::throughFifteenDigits(x), standard::throughFifteenDigits(x)))
        << x;
  }
}

}  // namespace
}  // namespace quorvel::engine
