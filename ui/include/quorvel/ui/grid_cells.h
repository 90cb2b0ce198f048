#pragma once

#include <array>

#include "quorvel/grid.h"

class QLineEdit;

// The window's twelve grid cells, Text1(0)...Text1(11).
using GridCells = std::array<QLineEdit*, quorvel::kGridCells>;

// The twelve cells' texts as the engine takes them, UTF-8.
quorvel::GridStrings cellTexts(const GridCells& grid);
