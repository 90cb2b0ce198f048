#include "draw_shift.h"

#include <QLineEdit>
#include <string>

#include "quorvel/grid_texts.h"

quorvel::Failure runDrawShift(const std::array<QLineEdit*, 12>& grid) {
  std::array<std::string, quorvel::kGridCells> texts;
  quorvel::GridTexts views;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    texts[i] = grid[i]->text().toStdString();
    views[i] = texts[i];
  }
  const quorvel::DrawShiftResult shifted = quorvel::shiftGridDown(views);
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
