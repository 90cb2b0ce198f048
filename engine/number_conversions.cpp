#include "quorvel/number_conversions.h"

#include <charconv>
#include <cmath>
#include <string>

#include "rounding.h"
#include "text_scan.h"

namespace quorvel {
namespace {

constexpr bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The longest run of digits whose value a 64-bit integer holds exactly.
constexpr std::size_t kExactIntegerDigits = 19;
constexpr long long kExponentCap = 1'000'000'000;

}  // namespace

double parseLeadingNumber(std::string_view text) {
  // The common cell, a short run of digits and nothing else, converted exactly without from_chars.
  if (!text.empty() && text.size() <= kExactIntegerDigits) {
    std::uint64_t whole = 0;
    std::size_t i = 0;
    while (i < text.size() && isDigit(text[i]))
      whole = whole * 10 + static_cast<std::uint64_t>(text[i++] - '0');
    if (i == text.size()) return static_cast<double>(whole);
  }

  const std::size_t n = text.size();
  std::size_t i = 0;
  auto skipBlanks = [&](std::size_t from) {
    while (from < n && isSkipped(text[from])) ++from;
    return from;
  };

  i = skipBlanks(i);
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    i = skipBlanks(i + 1);
  }

  // The mantissa. Alongside the characters, track the decimal position of the leading nonzero
  // digit, which tells an overflow from an underflow when the value is beyond the double range.
  const std::size_t start = i;
  bool point = false;
  std::size_t digits = 0;
  long long leadingPosition = 0;  // > 0: digits before the point; <= 0: zeros after it
  bool nonzeroSeen = false;
  for (;;) {
    const std::size_t j = skipBlanks(i);
    if (j == n) break;
    const char c = text[j];
    if (isDigit(c)) {
      ++digits;
      if (!point) {
        if (nonzeroSeen || c != '0') {
          nonzeroSeen = true;
          if (leadingPosition < kExponentCap) ++leadingPosition;
        }
      } else if (!nonzeroSeen) {
        if (c == '0') {
          if (leadingPosition > -kExponentCap) --leadingPosition;
        } else {
          nonzeroSeen = true;
        }
      }
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    i = j + 1;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;

  // The exponent counts only when at least one digit follows the letter and its sign.
  long long exponentValue = 0;
  std::size_t j = skipBlanks(i);
  if (j < n && (text[j] == 'e' || text[j] == 'E')) {
    j = skipBlanks(j + 1);
    bool exponentNegative = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      exponentNegative = text[j] == '-';
      j = skipBlanks(j + 1);
    }
    while (j < n && isDigit(text[j])) {
      if (exponentValue < kExponentCap) exponentValue = exponentValue * 10 + (text[j] - '0');
      end = j + 1;
      j = skipBlanks(j + 1);
    }
    if (exponentNegative) exponentValue = -exponentValue;
  }

  std::string_view number = text.substr(start, end - start);
  std::string compact;
  if (number.find_first_of(" \t\n") != std::string_view::npos) {
    compact.reserve(number.size());
    for (char c : number) {
      if (!isSkipped(c)) compact.push_back(c);
    }
    number = compact;
  }
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    value = leadingPosition + exponentValue > 0 ? HUGE_VAL : 0.0;
  }
  return negative ? -value : value;
}

std::optional<std::int16_t> cellValue(std::string_view text) {
  return roundedInt16(parseLeadingNumber(text));
}

}  // namespace quorvel
