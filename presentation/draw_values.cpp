#include "quorvel/presentation/draw_values.h"

#include "quorvel/engine/grid.h"
#include "quorvel/engine/cell_value.h"
#include "quorvel/game/draw.h"

namespace quorvel::presentation {

bool canHoldADraw(int cell, std::string_view text) {
  if (text.empty()) return false;
  const double value = engine::parseLeadingNumber(text);
  const bool sum = cell % engine::kGridColumns == engine::kGridColumns - 1;
  return sum ? game::isSum(value) : game::isDigit(value);
}

}  // namespace quorvel::presentation
