#include "quorvel/presentation/cell_names.h"

#include <array>

#include "quorvel/engine/grid.h"

namespace quorvel::presentation {

std::string_view cellName(int period, int column) {
  static constexpr std::array<std::string_view, engine::kGridCells> kNames = {
      "最新一期第一位", "最新一期第二位", "最新一期第三位", "最新一期和值",
      "上一期第一位",   "上一期第二位",   "上一期第三位",   "上一期和值",
      "最早一期第一位", "最早一期第二位", "最早一期第三位", "最早一期和值"};
  if (period < 0 || period >= engine::kGridPeriods || column < 0 || column >= engine::kGridColumns)
    return "";
  return kNames[static_cast<std::size_t>(period * engine::kGridColumns + column)];
}

std::string_view cellName(int cell) {
  if (cell < 0 || cell >= engine::kGridCells) return "";
  return cellName(cell / engine::kGridColumns, cell % engine::kGridColumns);
}

}  // namespace quorvel::presentation
