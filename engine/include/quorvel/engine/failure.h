#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

namespace quorvel::engine {

// How an action ended. The numbers are the ones the error report shows the user.
enum class Failure : int {
  None = 0,       // the action completed
  Overflow = 6,   // a number did not fit the integer it was converted to
  Subscript = 9,  // an index fell outside its array
};

// The step of an action in which a failure arose.
enum class FailureStep : std::uint8_t {
  Unknown,            // a counter of the pass's own; no cell is to blame
  LatestDigits,       // a latest digit as a 16-bit integer
  DerivedValues,      // the latest sum's tail and remainder, the diagonal parities
  TailVotes,          // a tail combination's sum and its last digit
  KeyRules,           // the key rules' product and pairs of cells
  AttributeProducts,  // a digit times a period's sum, for the attribute calls
  DrawShift,          // a cell's value, read to move it down
};

// How the named cells made the value that did not fit.
enum class CellCombination : std::uint8_t { One, Sum, Product };

// Where a failure arose: the step, and the cells whose numbers went into the value that did not
// fit (for the subscript failure, the cells of the tail combination with the negative tail).
struct FailureCause {
  FailureStep step = FailureStep::Unknown;
  CellCombination combination = CellCombination::One;
  std::uint8_t cellCount = 0;
  std::array<std::uint8_t, 4> cellIndices{};

  constexpr FailureCause() = default;
  constexpr FailureCause(FailureStep inStep, CellCombination how, std::initializer_list<int> cells)
      : step(inStep), combination(how) {
    for (int cell : cells) cellIndices[cellCount++] = static_cast<std::uint8_t>(cell);
  }

  // The named cells, in the order they were combined.
  std::span<const std::uint8_t> cells() const { return {cellIndices.data(), cellCount}; }
  bool operator==(const FailureCause&) const = default;
};

}  // namespace quorvel::engine
