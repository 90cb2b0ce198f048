#include "quorvel/presentation/cell_names.h"

#include <array>

#include "quorvel/grid.h"

namespace quorvel {

std::string_view cellName(int period, int column) {
  static constexpr std::array<std::string_view, kGridCells> kNames = {
      "最新一期第一位", "最新一期第二位", "最新一期第三位", "最新一期和值",
      "上一期第一位",   "上一期第二位",   "上一期第三位",   "上一期和值",
      "最早一期第一位", "最早一期第二位", "最早一期第三位", "最早一期和值"};
  if (period < 0 || period >= kGridPeriods || column < 0 || column >= kGridColumns) return "";
  return kNames[static_cast<std::size_t>(period * kGridColumns + column)];
}

std::string_view cellName(int cell) {
  if (cell < 0 || cell >= kGridCells) return "";
  return cellName(cell / kGridColumns, cell % kGridColumns);
}

}  // namespace quorvel
