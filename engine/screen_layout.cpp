#include "quorvel/screen_layout.h"

namespace quorvel {

std::string blamedCellsLine(const FailureCause& cause, const GridTexts& cells) {
  if (cause.cells().empty()) return "";
  const char* joint = cause.combination == CellCombination::Product ? " × " : " ＋ ";
  std::string line = "出错的格子：";
  bool first = true;
  for (const int cell : cause.cells()) {
    if (!first) line += joint;
    first = false;
    line += cellName(cell);
    line += "“";
    line += cells[static_cast<std::size_t>(cell)];
    line += "”";
  }
  return line;
}

int cellToFix(const FailureCause& cause, const GridTexts& cells) {
  // An empty cell reads as 0 and cannot be what pushed a value out of range, unless every
  // named cell is empty.
  for (const int cell : cause.cells()) {
    if (!cells[static_cast<std::size_t>(cell)].empty()) return cell;
  }
  return cause.cells().empty() ? -1 : cause.cells().front();
}

}  // namespace quorvel
