#include "derived_values.h"

#include "rounding.h"

namespace quorvel {

void computeDerivedValues(const HistoryGrid& grid, PassStorage& pass) {
  pass.latestSumMod12 = truncMod(wholeNumberRound(grid.raw(3)), 12);
  pass.latestSumTail = truncMod(wholeNumberRound(grid.raw(3)), 10);
  // The diagonals from the top-left and from the top-right digit down to the oldest period.
  pass.diagParityA = truncMod(wholeNumberRound(grid.raw(0) + grid.raw(5) + grid.raw(10)), 2);
  pass.diagParityB = truncMod(wholeNumberRound(grid.raw(2) + grid.raw(5) + grid.raw(8)), 2);
}

}  // namespace quorvel
