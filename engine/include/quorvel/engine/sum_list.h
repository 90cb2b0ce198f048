#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace quorvel::engine {

inline constexpr int kSumCount = 28;  // candidate sums 0...27

// A set of candidate sums: bit s stands for the sum s.
using SumSet = std::uint32_t;

constexpr bool contains(SumSet set, int sum) { return (set >> sum) & 1U; }

constexpr SumSet makeSumSet(std::initializer_list<int> sums) {
  SumSet set = 0;
  for (int s : sums) set |= SumSet{1} << s;
  return set;
}

// Appends the list text of `set` to `out`: its sums in ascending order, each in plain decimal and
// followed by exactly one space, the last one included; the empty set appends nothing.
void formatSumList(std::string& out, SumSet set);

}  // namespace quorvel::engine
