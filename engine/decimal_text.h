#pragma once

#include <string_view>

// Doubles from decimal text and back, correctly rounded and the same in every locale. Where the
// standard library has floating-point std::from_chars and std::to_chars (libstdc++) they do the
// work; where it lacks them (the libc++ of the WebAssembly build) the C library's strtod and
// snprintf do, in the "C" locale the program never leaves, and give the same doubles. Both roads
// are compiled where both exist, so that a test can hold them to each other.
namespace quorvel::engine {

// A decimal number read from text of the form digits, at most one ".", and an optional exponent
// ("e" or "E", an optional sign, digits), with nothing around it.
struct DecimalRead {
  double value = 0;         // the nearest double; a subnormal one where the number is that small
  bool outOfRange = false;  // the number is beyond the double range either way: value is then 0
};

DecimalRead readDecimal(std::string_view number);

// x written with 15 significant decimal digits and read back, the nearest double to that text.
double throughFifteenDigits(double x);

namespace portable {
DecimalRead readDecimal(std::string_view number);
double throughFifteenDigits(double x);
}  // namespace portable

namespace standard {
// Present where the standard library has floating-point from_chars and to_chars.
bool available();
DecimalRead readDecimal(std::string_view number);
double throughFifteenDigits(double x);
}  // namespace standard

}  // namespace quorvel::engine
