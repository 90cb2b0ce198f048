#include "derived_values.h"

#include "pass_stopped.h"
#include "rounding.h"
#include "rule_cells.h"

namespace quorvel::engine {

void computeDerivedValues(const HistoryGrid& grid, PassStorage& pass) {
  auto rounded = [&](const FailureCause& cause) {
    return blamingCells(cause, [&] { return wholeNumberRound(grid.combine(cause)); });
  };
  const std::int32_t latestSum = rounded(kLatestSumCell);
  pass.latestSumMod12 = truncMod(latestSum, 12);
  pass.latestSumTail = truncMod(latestSum, 10);
  pass.diagParityA = truncMod(rounded(kDiagonalA), 2);
  pass.diagParityB = truncMod(rounded(kDiagonalB), 2);
}

}  // namespace quorvel::engine
