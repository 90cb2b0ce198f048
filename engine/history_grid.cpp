#include "history_grid.h"

#include "quorvel/number_conversions.h"

namespace quorvel {

HistoryGrid::HistoryGrid(const GridTexts& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) raw_[i] = parseLeadingNumber(cells[i]);
}

}  // namespace quorvel
