#include "draw_shift.h"

#include <QLineEdit>
#include <string>

#include "grid_cells.h"
#include "quorvel/grid_texts.h"

quorvel::Failure runDrawShift(const std::array<QLineEdit*, 12>& grid) {
  const quorvel::GridStrings texts = cellTexts(grid);
  const quorvel::DrawShiftResult shifted = quorvel::shiftGridDown(quorvel::viewsOf(texts));
  if (shifted.failure != quorvel::Failure::None) return shifted.failure;

  // Each set runs the grid check; every text written is empty or numeric, so it changes nothing.
  auto set = [&](std::size_t i, const std::string& text) {
    grid[i]->setText(QString::fromStdString(text));
  };
  for (std::size_t i = 0; i < 12; ++i) set(i, "");
  for (std::size_t i = 8; i < 12; ++i) set(i, shifted.cells[i]);
  for (std::size_t i = 4; i < 8; ++i) set(i, shifted.cells[i]);
  return quorvel::Failure::None;
}
