#include "quorvel/grid.h"

#include <algorithm>

namespace quorvel {

GridTexts viewsOf(const GridStrings& cells) {
  GridTexts views;
  std::copy(cells.begin(), cells.end(), views.begin());
  return views;
}

std::string_view cellName(int cell) {
  static constexpr std::array<std::string_view, kGridCells> kNames = {
      "最新一期第一位", "最新一期第二位", "最新一期第三位", "最新一期和值",
      "上一期第一位",   "上一期第二位",   "上一期第三位",   "上一期和值",
      "最早一期第一位", "最早一期第二位", "最早一期第三位", "最早一期和值"};
  return cell >= 0 && cell < kGridCells ? kNames[static_cast<std::size_t>(cell)] : "";
}

}  // namespace quorvel
