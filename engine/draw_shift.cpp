#include "quorvel/engine/draw_shift.h"

#include <charconv>

#include "quorvel/engine/cell_value.h"

namespace quorvel::engine {

DrawShiftResult shiftGridDown(const GridTexts& cells) {
  // Every cell is read before anything moves, the oldest row too: a value that does not fit
  // stops the shift with the grid as it was.
  std::array<std::int16_t, kGridCells> values{};
  for (int i = 0; i < kGridCells; ++i) {
    const std::optional<std::int16_t> value = cellValue(cells[static_cast<std::size_t>(i)]);
    if (!value) {
      return {Failure::Overflow, {FailureStep::DrawShift, CellCombination::One, {i}}, {}};
    }
    values[static_cast<std::size_t>(i)] = *value;
  }

  DrawShiftResult result;
  for (std::size_t i = 4; i < cells.size(); ++i) {
    char digits[8];
    const auto written = std::to_chars(digits, digits + sizeof digits, values[i - 4]);
    result.cells[i].assign(digits, written.ptr);
  }
  return result;
}

}  // namespace quorvel::engine
