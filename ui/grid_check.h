#pragma once

#include "quorvel/ui/grid_cells.h"

namespace quorvel::ui {

// Empties every grid cell whose text is not a number, in index order. Emptying a cell changes
// its text, which runs this check again, nested, before the next cell is looked at; a cell that
// is already empty is set to the same text, which raises nothing and ends the nesting.
void runGridCheck(const GridCells& grid);

}  // namespace quorvel::ui
