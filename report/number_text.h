#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "quorvel/backtest/settings.h"
#include "quorvel/presentation/language.h"

namespace quorvel::report {

using presentation::Catalogue;
using presentation::Language;

// `value` with `decimals` digits after the point, as printf's "%.*f" writes it in the C locale.
inline std::string fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// `value` with `digits` significant digits, as printf's "%.*g" writes it: a JSON number however
// large or small (an e-value may be either).
inline std::string significant(double value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return text;
}

// The mean list size of `calls` calls whose sizes add up to `sizeSum`, 0 for no call.
inline double meanSize(long long sizeSum, long long calls) {
  return static_cast<double>(sizeSum) / static_cast<double>(calls > 0 ? calls : 1);
}

// The level every test is held to, as the reports write it: "5%".
inline std::string levelText() { return fixed(100 * backtest::kLevel, 0) + "%"; }

// The numbers a sentence says in words; a catalogue's sentences count with their language's.
using Numerals = std::array<const char*, 13>;
inline constexpr Numerals kEnglishNumerals = {"zero", "one",    "two",   "three", "four",
                                              "five", "six",    "seven", "eight", "nine",
                                              "ten",  "eleven", "twelve"};
inline constexpr Numerals kChineseNumerals = {"零", "一", "二", "三", "四",   "五",  "六",
                                              "七", "八", "九", "十", "十一", "十二"};

// A count as a sentence says it: in words up to twelve ("four", "四"), else in digits.
inline std::string counted(std::uint64_t count, const Numerals& numerals) {
  return count < numerals.size() ? numerals[static_cast<std::size_t>(count)]
                                 : std::to_string(count);
}

}  // namespace quorvel::report
