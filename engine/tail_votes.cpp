#include "tail_votes.h"

#include <array>

#include "pass_stopped.h"
#include "rounding.h"

namespace quorvel {
namespace {

// The cells each combination adds, left to right; a failure in it names them.
constexpr FailureCause combination(std::initializer_list<int> cells) {
  return {FailureStep::TailVotes, CellCombination::Sum, cells};
}
constexpr std::array<FailureCause, 8> kTailCombinations = {
    combination({1, 4, 6}),     // latest 2nd digit, previous 1st and 3rd digits
    combination({0, 4, 5}),     // latest 1st digit, previous 1st and 2nd digits
    combination({1, 2, 6}),     // latest 2nd and 3rd digits, previous 3rd digit
    combination({0, 2, 5, 9}),  // latest 1st and 3rd digits, previous and oldest 2nd digits
    combination({3, 6, 11}),    // latest sum, previous 3rd digit, oldest sum
    combination({0, 4, 8}),     // the 1st digits of all three periods
    combination({1, 5, 9}),     // the 2nd digits
    combination({2, 6, 10}),    // the 3rd digits
};

}  // namespace

void countTailVotes(const HistoryGrid& grid, PassStorage& pass) {
  for (const FailureCause& combination : kTailCombinations) {
    blamingCells(combination, [&] {
      const auto cells = combination.cells();
      double sum = grid.raw(cells[0]);
      for (std::size_t i = 1; i < cells.size(); ++i) sum += grid.raw(cells[i]);
      const std::int16_t tail = truncMod(wholeNumberRound(sum), 10);
      pass.tailVotes.add(tail, 1);  // a negative tail is the subscript failure
      pass.thirdColumnTail = tail;  // the last combination's tail is the one kept
    });
  }
}

}  // namespace quorvel
