#pragma once

#include "quorvel/engine/failure.h"
#include "quorvel/engine/grid.h"

namespace quorvel::engine {

// What the draw shift reports: the new grid, or the failure and the cell that caused it.
struct DrawShiftResult {
  Failure failure = Failure::None;
  FailureCause cause;  // the first cell whose value does not fit, when failure is Overflow
  GridStrings cells;   // the new grid; meaningful when failure is None
};

// The draw shift: every cell is read by the cell value rule, then the two newer periods move one
// row down as plain decimals, the oldest is dropped and the top row is left empty. When any cell's
// value does not fit, reports Overflow naming that cell, and no new grid.
DrawShiftResult shiftGridDown(const GridTexts& cells);

}  // namespace quorvel::engine
