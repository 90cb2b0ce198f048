#include "decimal_text.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quorvel::engine {

namespace portable {

DecimalRead readDecimal(std::string_view number) {
  const std::string text(number);  // strtod needs the end marked
  errno = 0;
  const double value = std::strtod(text.c_str(), nullptr);
  // strtod also reports a subnormal result as a range error; only a result that lost the number
  // altogether, to zero or to infinity, is out of range.
  if (errno == ERANGE && (value == 0 || std::isinf(value))) return {0, true};
  return {value, false};
}

double throughFifteenDigits(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.14e", x);
  return std::strtod(text, nullptr);
}

}  // namespace portable

namespace standard {

#if defined(__cpp_lib_to_chars)

bool available() { return true; }

DecimalRead readDecimal(std::string_view number) {
  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) return {0, true};
  return {value, false};
}

double throughFifteenDigits(double x) {
  char text[32];
  const auto written =
      std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, 14);
  double back = 0;
  std::from_chars(text, written.ptr, back);
  return back;
}

#else

bool available() { return false; }
DecimalRead readDecimal(std::string_view number) { return portable::readDecimal(number); }
double throughFifteenDigits(double x) { return portable::throughFifteenDigits(x); }

#endif

}  // namespace standard

DecimalRead readDecimal(std::string_view number) {
#if defined(__cpp_lib_to_chars)
  return standard::readDecimal(number);
#else
  return portable::readDecimal(number);
#endif
}

double throughFifteenDigits(double x) {
#if defined(__cpp_lib_to_chars)
  return standard::throughFifteenDigits(x);
#else
  return portable::throughFifteenDigits(x);
#endif
}

}  // namespace quorvel::engine
