#pragma once

#include <array>
#include <cstdint>

#include "pass_stopped.h"

namespace quorvel::engine {

// A signed 16-bit working array of Size values, indices 0...Size-1, created at zero. An index
// outside them raises the subscript failure; a value leaving the 16-bit range raises Overflow.
template <int Size>
class CheckedArray {
 public:
  std::int16_t operator[](int index) const { return values_[slot(index)]; }

  void add(int index, int delta) {
    std::int16_t& value = values_[slot(index)];
    value = checkedInt16(value + delta);
  }

  // Adds delta(i) to each element i of 0...Count-1. Every result is checked, and one that left
  // the 16-bit range raises Overflow once the loop is done, before anything reads the array;
  // keeping the check out of the loop lets the compiler vectorise it.
  template <int Count, class Delta>
  void addEach(Delta delta) {
    static_assert(Count <= Size);
    bool outOfRange = false;
    for (std::size_t i = 0; i < static_cast<std::size_t>(Count); ++i) {
      const int value = values_[i] + delta(static_cast<int>(i));
      outOfRange |= value < INT16_MIN || value > INT16_MAX;
      values_[i] = static_cast<std::int16_t>(value);
    }
    if (outOfRange) raiseOverflow();
  }

  void clear() { values_.fill(0); }

 private:
  static std::size_t slot(int index) {
    if (index < 0 || index >= Size) raiseSubscript();
    return static_cast<std::size_t>(index);
  }

  std::array<std::int16_t, static_cast<std::size_t>(Size)> values_{};
};

}  // namespace quorvel::engine
