#pragma once

#include <array>

#include "quorvel/engine/failure.h"
#include "quorvel/engine/grid.h"

namespace quorvel::engine {

// The raw cell numbers of the history grid, parsed once when the pass starts: the grid cannot
// change while a pass runs, so this reads every cell exactly as reading it at each use would.
class HistoryGrid {
 public:
  explicit HistoryGrid(const GridTexts& cells);

  // The leading number of cell i's text (0 for an empty cell), not rounded.
  double raw(int cell) const { return raw_[static_cast<std::size_t>(cell)]; }

  // The raw numbers of the cells `cause` names, combined as it says: added or multiplied left to
  // right, or the one cell's number.
  double combine(const FailureCause& cause) const;

 private:
  std::array<double, kGridCells> raw_;
};

}  // namespace quorvel::engine
