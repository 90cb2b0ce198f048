#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorvel::words {

// A whole number with its thousands grouped for reading: 15352 gives "15,352", -1200 "-1,200".
std::string groupedNumber(std::int64_t value);

// An amount of money given in thousandths of a yuan, to the fen (two decimals, halves rounded away
// from zero) and grouped: 9465 gives "9.47", 15352000 "15,352.00".
std::string yuanText(std::int64_t mills);

// An amount in thousandths of a yuan rounded to the fen, as a number of fen.
std::int64_t roundedToFen(std::int64_t mills);

// A share given in thousandths as a percentage with one decimal: 632 gives "63.2%".
std::string percentText(std::int64_t thousandths);

// A rate (a fraction) as a percentage with one decimal: 0.5123 gives "51.2%".
std::string percentText(double rate);

// `value` with `decimals` digits after the point, as printf's "%.*f" writes it in the C locale.
std::string fixed(double value, int decimals);

// `value` with `digits` significant digits, as printf's "%.*g" writes it: a JSON number however
// large or small (an e-value may be either).
std::string significant(double value, int digits);

// The numbers a sentence says in words; a catalogue's sentences count with their language's.
using Numerals = std::array<const char*, 13>;
inline constexpr Numerals kEnglishNumerals = {"zero", "one",    "two",   "three", "four",
                                              "five", "six",    "seven", "eight", "nine",
                                              "ten",  "eleven", "twelve"};
inline constexpr Numerals kChineseNumerals = {"零", "一", "二", "三", "四",   "五",  "六",
                                              "七", "八", "九", "十", "十一", "十二"};

// A count as a sentence says it: in words up to twelve ("four", "四"), else in digits.
std::string counted(std::uint64_t count, const Numerals& numerals);

}  // namespace quorvel::words
