#pragma once

#include <cstdint>

#include "checked_array.h"

namespace quorvel::engine {

// The working storage of one pass, created at zero and discarded with it.
struct PassStorage {
  CheckedArray<29> sumVotes;      // votes per candidate sum, indices 0...28, 0...27 used
  CheckedArray<29> sumWeight;     // a sum is listed while its weight is 0 or more
  CheckedArray<11> tailVotes;     // votes per last digit, 0...10, 0...9 used
  CheckedArray<4> attrVotes;      // the counters of one attribute rule, 0...3, 0...2 used
  CheckedArray<10> attrProducts;  // the nine cell products, 0...9, 0...8 used

  // Derived from the grid before any scoring starts.
  std::int16_t latestSumMod12 = 0;
  std::int16_t latestSumTail = 0;
  std::int16_t diagParityA = 0;
  std::int16_t diagParityB = 0;
  std::int16_t thirdColumnTail = 0;  // set by countTailVotes

  // Lower the weight of s by one.
  void penalise(int s) { sumWeight.add(s, -1); }
};

}  // namespace quorvel::engine
