#include "grid_shift.h"

#include <QLineEdit>
#include <string>

namespace quorvel::ui {

engine::DrawShiftResult runDrawShift(const GridCells& grid) {
  const engine::GridStrings texts = cellTexts(grid);
  engine::DrawShiftResult shifted = engine::shiftGridDown(engine::viewsOf(texts));
  if (shifted.failure != engine::Failure::None) return shifted;

  // Each set runs the grid check; every text written is empty or numeric, so it changes nothing.
  auto set = [&](std::size_t i, const std::string& text) {
    grid[i]->setText(QString::fromStdString(text));
  };
  constexpr std::size_t kRow = engine::kGridColumns;
  for (std::size_t i = 0; i < grid.size(); ++i) set(i, "");
  for (std::size_t i = 2 * kRow; i < 3 * kRow; ++i) set(i, shifted.cells[i]);
  for (std::size_t i = kRow; i < 2 * kRow; ++i) set(i, shifted.cells[i]);
  return shifted;
}

}  // namespace quorvel::ui
