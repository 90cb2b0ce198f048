#include "quorvel/engine/numeric_text.h"

#include "text_scan.h"

namespace quorvel::engine {

bool isNumericText(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;

  std::size_t i = first;
  if (i < last && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  bool point = false;
  for (; i < last; ++i) {
    if (isDigit(text[i])) {
      ++digits;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;

  if (i < last && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < last && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t exponentStart = i;
    while (i < last && isDigit(text[i])) ++i;
    if (i == exponentStart) return false;
  }
  return i == last;
}

}  // namespace quorvel::engine
