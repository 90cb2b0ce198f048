#include "tail_votes.h"

#include <array>

#include "pass_stopped.h"
#include "rounding.h"

namespace quorvel {

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
