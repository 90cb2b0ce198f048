#include "quorvel/ui/grid_cells.h"

#include <QLineEdit>

quorvel::GridStrings cellTexts(const GridCells& grid) {
  quorvel::GridStrings texts;
  for (std::size_t i = 0; i < grid.size(); ++i) texts[i] = grid[i]->text().toStdString();
  return texts;
}
