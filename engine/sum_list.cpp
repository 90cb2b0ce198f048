#include <charconv>

#include "quorvel/sum_set.h"

namespace quorvel {

std::string formatSumList(SumSet set) {
  std::string text;
  for (int s = 0; s < kSumCount; ++s) {
    if (!contains(set, s)) continue;
    char digits[2];
    const auto written = std::to_chars(digits, digits + sizeof digits, s);
    text.append(digits, written.ptr);
    text.push_back(' ');
  }
  return text;
}

}  // namespace quorvel
