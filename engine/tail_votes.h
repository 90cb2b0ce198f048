#pragma once

#include <array>

#include "history_grid.h"
#include "pass_storage.h"
#include "rule_cells.h"

namespace quorvel::engine {

// Each of the eight tail combinations votes for the last digit of its rounded sum in tailVotes;
// the eighth, the third-digit column, is also kept as thirdColumnTail. A negative last digit
// raises the subscript failure; a rounding that does not fit 32 bits raises Overflow.
void countTailVotes(const HistoryGrid& grid, PassStorage& pass);

}  // namespace quorvel::engine
