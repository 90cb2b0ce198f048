#pragma once

#include <string_view>

namespace quorvel::presentation {

// Whether grid cell `cell` holds what a real draw puts there: a whole number 0...9 in a digit's
// cell, 0...27 in a sum's. The empty cell holds nothing a draw can.
bool canHoldADraw(int cell, std::string_view text);

}  // namespace quorvel::presentation
