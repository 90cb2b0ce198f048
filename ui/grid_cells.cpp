#include "quorvel/ui/grid_cells.h"

#include <QLineEdit>

namespace quorvel::ui {

engine::GridStrings cellTexts(const GridCells& grid) {
  engine::GridStrings texts;
  for (std::size_t i = 0; i < grid.size(); ++i) texts[i] = grid[i]->text().toStdString();
  return texts;
}

}  // namespace quorvel::ui
