#include "tail_votes.h"

#include <array>

#include "pass_stopped.h"
#include "rounding.h"

namespace quorvel::engine {

void countTailVotes(const HistoryGrid& grid, PassStorage& pass) {
  for (const FailureCause& combination : kTailCombinations) {
    blamingCells(combination, [&] {
      const std::int16_t tail = truncMod(wholeNumberRound(grid.combine(combination)), 10);
      pass.tailVotes.add(tail, 1);  // a negative tail is the subscript failure
      pass.thirdColumnTail = tail;  // the last combination's tail is the one kept
    });
  }
}

}  // namespace quorvel::engine
