#pragma once

#include <cstdint>
#include <string>

namespace quorvel::presentation {

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

}  // namespace quorvel::presentation
