#pragma once

#include "quorvel/engine/draw_shift.h"
#include "quorvel/ui/grid_cells.h"

namespace quorvel::ui {

// Moves the grid down one period: reads every cell by the cell value rule, empties the grid,
// then writes the bottom row from the old middle row and the middle row from the old top row.
// Reports Overflow and the cell to blame, with the grid untouched, when a cell's value does not
// fit.
engine::DrawShiftResult runDrawShift(const GridCells& grid);

}  // namespace quorvel::ui
