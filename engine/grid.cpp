#include "quorvel/engine/grid.h"

#include <algorithm>

namespace quorvel::engine {

GridTexts viewsOf(const GridStrings& cells) {
  GridTexts views;
  std::copy(cells.begin(), cells.end(), views.begin());
  return views;
}

}  // namespace quorvel::engine
