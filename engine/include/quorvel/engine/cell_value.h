#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel::engine {

// The leading number of a text. Blanks, tabs and line feeds are skipped wherever they stand;
// then come an optional sign, decimal digits with at most one ".", and an optional exponent (E or
// e, an optional sign, digits). Reading stops at the first character that cannot continue the
// number, and an incomplete exponent is ignored. A text that does not begin with a number gives 0.
// The digits are converted with correct rounding, whatever the locale. A number beyond the double
// range gives ±infinity, which every later conversion rejects as an overflow; one too small for a
// double gives ±0.
double parseLeadingNumber(std::string_view text);

// The cell value rule: the leading number rounded to the nearest integer, halves to the even
// neighbour. Returns nullopt where the result lies outside -32768...32767 (the Overflow failure).
std::optional<std::int16_t> cellValue(std::string_view text);

}  // namespace quorvel::engine
