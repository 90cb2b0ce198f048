#pragma once

#include <array>

#include "quorvel/engine/grid.h"

class QLineEdit;

namespace quorvel::ui {

// The window's twelve grid cells, Text1(0)...Text1(11).
using GridCells = std::array<QLineEdit*, engine::kGridCells>;

// The twelve cells' texts as the engine takes them, UTF-8.
engine::GridStrings cellTexts(const GridCells& grid);

}  // namespace quorvel::ui
