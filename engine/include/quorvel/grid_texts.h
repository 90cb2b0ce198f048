#pragma once

#include <array>
#include <string>
#include <string_view>

#include "quorvel/failure.h"
#include "quorvel/prediction_pass.h"

namespace quorvel {

// The grid check's test: after blanks (spaces and tabs) at either end are ignored, the text is an
// optional sign, digits with at most one "." and at least one digit, and an optional exponent
// (E or e, an optional sign, at least one digit). Anything else, the empty text included, is not.
bool isNumericText(std::string_view text);

// The draw shift: every cell is read by the cell value rule, then the two newer periods move one
// row down as plain decimals, the oldest is dropped and the top row is left empty. When any cell's
// value does not fit, reports Overflow and no new grid.
struct DrawShiftResult {
  Failure failure = Failure::None;
  std::array<std::string, kGridCells> cells;  // the new grid; meaningful when failure is None
};
DrawShiftResult shiftGridDown(const GridTexts& cells);

}  // namespace quorvel
