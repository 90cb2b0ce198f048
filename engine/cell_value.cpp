#include "quorvel/engine/cell_value.h"

#include <cmath>
#include <string>

#include "decimal_text.h"
#include "rounding.h"
#include "text_scan.h"

namespace quorvel::engine {
namespace {

constexpr bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// The longest run of digits whose value a 64-bit integer holds exactly.
constexpr std::size_t kExactIntegerDigits = 19;
constexpr long long kExponentCap = 1'000'000'000;

// Reads a number from its start, skipping blanks anywhere, as the cell value rule says.
class NumberScan {
 public:
  explicit NumberScan(std::string_view text) : text_(text) {}

  // An optional sign; true for "-".
  bool sign() {
    i_ = skipBlanks(i_);
    if (i_ == text_.size() || (text_[i_] != '+' && text_[i_] != '-')) return false;
    const bool negative = text_[i_] == '-';
    i_ = skipBlanks(i_ + 1);
    return negative;
  }

  // Digits with at most one point; the number of digits. Alongside the characters it tracks the
  // decimal position of the leading nonzero digit, which tells an overflow from an underflow when
  // the value is beyond the double range.
  std::size_t mantissa() {
    start_ = i_;
    bool point = false, nonzeroSeen = false;
    std::size_t digits = 0;
    for (std::size_t j; (j = skipBlanks(i_)) < text_.size(); i_ = j + 1) {
      const char c = text_[j];
      if (c == '.' && !point) {
        point = true;
        continue;
      }
      if (!isDigit(c)) break;
      ++digits;
      const bool leading = !nonzeroSeen && c != '0';
      if (!point && (nonzeroSeen || leading) && leadingPosition_ < kExponentCap) ++leadingPosition_;
      if (point && !nonzeroSeen && c == '0' && leadingPosition_ > -kExponentCap) --leadingPosition_;
      nonzeroSeen |= leading;
    }
    end_ = i_;
    return digits;
  }

  // The exponent, which counts only when at least one digit follows the letter and its sign.
  void exponent() {
    std::size_t j = skipBlanks(i_);
    if (j == text_.size() || (text_[j] != 'e' && text_[j] != 'E')) return;
    i_ = j + 1;
    const bool negative = sign();
    long long value = 0;
    for (j = i_; j < text_.size() && isDigit(text_[j]); j = skipBlanks(j + 1)) {
      if (value < kExponentCap) value = value * 10 + (text_[j] - '0');
      end_ = j + 1;
    }
    exponent_ = negative ? -value : value;
  }

  // The characters read, blanks taken out, as a double: beyond the double range, infinity for a
  // large number and 0 for a small one.
  double value() const {
    std::string_view number = text_.substr(start_, end_ - start_);
    std::string compact;
    if (number.find_first_of(" \t\n") != std::string_view::npos) {
      for (char c : number) {
        if (!isSkipped(c)) compact.push_back(c);
      }
      number = compact;
    }
    const DecimalRead read = readDecimal(number);
    if (read.outOfRange) return leadingPosition_ + exponent_ > 0 ? HUGE_VAL : 0.0;
    return read.value;
  }

 private:
  std::size_t skipBlanks(std::size_t from) const {
    while (from < text_.size() && isSkipped(text_[from])) ++from;
    return from;
  }

  std::string_view text_;
  std::size_t i_ = 0, start_ = 0, end_ = 0;
  long long leadingPosition_ = 0;  // > 0: digits before the point; <= 0: zeros after it
  long long exponent_ = 0;
};

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
  NumberScan scan(text);
  const bool negative = scan.sign();
  if (scan.mantissa() == 0) return 0.0;
  scan.exponent();
  const double value = scan.value();
  return negative ? -value : value;
}

std::optional<std::int16_t> cellValue(std::string_view text) {
  return roundToInt16OrNothing(parseLeadingNumber(text));
}

}  // namespace quorvel::engine
