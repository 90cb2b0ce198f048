#pragma once

#include <cstdint>
#include <optional>

namespace quorvel::engine {

// Rounds to the nearest integer, halves to the even neighbour, as a signed 16-bit integer.
// Gives nullopt when the result lies outside -32768...32767 or x is not finite.
std::optional<std::int16_t> roundToInt16OrNothing(double x);

// The same, raising Overflow where roundToInt16OrNothing gives nullopt.
std::int16_t roundToInt16OrOverflow(double x);

// Whole-number rounding: x rounded to 15 significant decimal digits, then to the nearest integer
// with halves to even, as a signed 32-bit integer. Raises Overflow when that does not fit.
std::int32_t wholeNumberRound(double x);

// The remainder of division truncated toward zero; it takes the sign of a (-13 mod 12 = -1).
inline std::int16_t truncMod(std::int32_t a, std::int32_t n) {
  return static_cast<std::int16_t>(a % n);
}

}  // namespace quorvel::engine
