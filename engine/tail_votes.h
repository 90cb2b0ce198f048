#pragma once

#include <array>
#include <initializer_list>

#include "history_grid.h"
#include "pass_storage.h"

namespace quorvel {

// The cells each combination adds, left to right; a failure in it names them.
constexpr FailureCause tailCombination(std::initializer_list<int> cells) {
  return {FailureStep::TailVotes, CellCombination::Sum, cells};
}
inline constexpr std::array<FailureCause, 8> kTailCombinations = {
    tailCombination({1, 4, 6}),     // latest 2nd digit, previous 1st and 3rd digits
    tailCombination({0, 4, 5}),     // latest 1st digit, previous 1st and 2nd digits
    tailCombination({1, 2, 6}),     // latest 2nd and 3rd digits, previous 3rd digit
    tailCombination({0, 2, 5, 9}),  // latest 1st and 3rd digits, previous and oldest 2nd digits
    tailCombination({3, 6, 11}),    // latest sum, previous 3rd digit, oldest sum
    tailCombination({0, 4, 8}),     // the 1st digits of all three periods
    tailCombination({1, 5, 9}),     // the 2nd digits
    tailCombination({2, 6, 10}),    // the 3rd digits
};

// Each of the eight tail combinations votes for the last digit of its rounded sum in tailVotes;
// the eighth, the third-digit column, is also kept as thirdColumnTail. A negative last digit
// raises the subscript failure; a rounding that does not fit 32 bits raises Overflow.
void countTailVotes(const HistoryGrid& grid, PassStorage& pass);

}  // namespace quorvel
