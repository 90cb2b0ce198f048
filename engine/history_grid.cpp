#include "history_grid.h"

#include "quorvel/engine/cell_value.h"

namespace quorvel::engine {

HistoryGrid::HistoryGrid(const GridTexts& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) raw_[i] = parseLeadingNumber(cells[i]);
}

double HistoryGrid::combine(const FailureCause& cause) const {
  const auto cells = cause.cells();
  double value = raw(cells[0]);
  for (std::size_t i = 1; i < cells.size(); ++i) {
    value = cause.combination == CellCombination::Product ? value * raw(cells[i])
                                                          : value + raw(cells[i]);
  }
  return value;
}

}  // namespace quorvel::engine
