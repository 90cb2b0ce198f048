#include "quorvel/words/number_text.h"

#include <cstdio>
#include <cstdlib>

namespace quorvel::words {

std::string groupedNumber(std::int64_t value) {
  const std::string digits = std::to_string(value < 0 ? -static_cast<std::uint64_t>(value)
                                                      : static_cast<std::uint64_t>(value));
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return value < 0 ? "-" + grouped : grouped;
}

std::int64_t roundedToFen(std::int64_t mills) {
  const std::int64_t half = mills < 0 ? -5 : 5;
  return (mills + half) / 10;
}

std::string yuanText(std::int64_t mills) {
  const std::int64_t fen = roundedToFen(mills);
  const std::int64_t cents = std::llabs(fen % 100);
  const std::string whole = groupedNumber(fen / 100);
  const std::string sign = fen < 0 && fen / 100 == 0 ? "-" : "";
  return sign + whole + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

std::string percentText(std::int64_t thousandths) {
  return std::to_string(thousandths / 10) + "." + std::to_string(std::llabs(thousandths % 10)) +
         "%";
}

std::string percentText(double rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%", 100 * rate);
  return text;
}

std::string fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string significant(double value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

std::string counted(std::uint64_t count, const Numerals& numerals) {
  return count < numerals.size() ? numerals[static_cast<std::size_t>(count)]
                                 : std::to_string(count);
}

}  // namespace quorvel::words
