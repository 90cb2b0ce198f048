#pragma once

#include <array>

#include "quorvel/failure.h"

class QLineEdit;

// Moves the grid down one period: reads every cell by the cell value rule, empties the grid,
// then writes the bottom row from the old middle row and the middle row from the old top row.
// Returns Overflow, with the grid untouched, when a cell's value does not fit.
quorvel::Failure runDrawShift(const std::array<QLineEdit*, 12>& grid);
