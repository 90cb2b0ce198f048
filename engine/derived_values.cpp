#include "derived_values.h"

#include "pass_stopped.h"
#include "rounding.h"

namespace quorvel {

void computeDerivedValues(const HistoryGrid& grid, PassStorage& pass) {
  auto rounded = [&](CellCombination combination, std::initializer_list<int> cells) {
    const FailureCause cause{FailureStep::DerivedValues, combination, cells};
    return blamingCells(cause, [&] { return wholeNumberRound(grid.combine(cause)); });
  };
  const std::int32_t latestSum = rounded(CellCombination::One, {3});
  pass.latestSumMod12 = truncMod(latestSum, 12);
  pass.latestSumTail = truncMod(latestSum, 10);
  // The diagonals from the top-left and from the top-right digit down to the oldest period.
  pass.diagParityA = truncMod(rounded(CellCombination::Sum, {0, 5, 10}), 2);
  pass.diagParityB = truncMod(rounded(CellCombination::Sum, {2, 5, 8}), 2);
}

}  // namespace quorvel
