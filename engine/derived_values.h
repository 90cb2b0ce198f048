#pragma once

#include "history_grid.h"
#include "pass_storage.h"

namespace quorvel::engine {

// Sets latestSumMod12 and latestSumTail from the latest sum, then the two diagonal parities, in
// that order. Raises Overflow where a whole-number rounding does not fit 32 bits.
void computeDerivedValues(const HistoryGrid& grid, PassStorage& pass);

}  // namespace quorvel::engine
