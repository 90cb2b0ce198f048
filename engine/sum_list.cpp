#include "quorvel/sum_list.h"

#include <bit>

namespace quorvel {

void formatSumList(std::string& out, SumSet set) {
  constexpr std::size_t kLongestList = 74;  // all 28 sums
  char text[kLongestList];
  char* end = text;
  for (set &= (SumSet{1} << kSumCount) - 1; set != 0; set &= set - 1) {
    const int s = std::countr_zero(set);
    if (s >= 10) *end++ = static_cast<char>('0' + s / 10);
    *end++ = static_cast<char>('0' + s % 10);
    *end++ = ' ';
  }
  out.append(text, end);
}

}  // namespace quorvel
