#include "rounding.h"

#include <cmath>

#include "decimal_text.h"
#include "pass_stopped.h"

namespace quorvel::engine {
namespace {

// Beyond this no 32-bit result is possible, whatever the 15-digit step does.
constexpr double kBeyondInt32 = 4294967296.0;

// x written with 15 significant digits and read back. Whole numbers below 10^15 already have at
// most 15 digits and come back unchanged, so they skip the round trip.
double toFifteenDigits(double x) {
  if (std::fabs(x) < 1e15 && std::trunc(x) == x) return x;
  return throughFifteenDigits(x);
}

}  // namespace

// std::nearbyint rounds halves to even in the default rounding mode, which this program never
// changes.
std::optional<std::int16_t> roundToInt16OrNothing(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -32768.0 && r <= 32767.0)) return std::nullopt;
  return static_cast<std::int16_t>(r);
}

std::int16_t roundToInt16OrOverflow(double x) {
  const std::optional<std::int16_t> rounded = roundToInt16OrNothing(x);
  if (!rounded) raiseOverflow();
  return *rounded;
}

std::int32_t wholeNumberRound(double x) {
  if (!(std::fabs(x) < kBeyondInt32)) raiseOverflow();  // infinities and NaN included
  const double r = std::nearbyint(toFifteenDigits(x));
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) raiseOverflow();
  return static_cast<std::int32_t>(r);
}

}  // namespace quorvel::engine
