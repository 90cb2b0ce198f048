#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::engine {

// The history grid: cell 4 * p + k holds period p (0 latest, top row; 2 oldest) and column k
// (0...2 the drawn digits in draw order, 3 the period's sum).
inline constexpr int kGridCells = 12;
inline constexpr int kGridPeriods = 3;
inline constexpr int kGridColumns = 4;

using GridTexts = std::array<std::string_view, kGridCells>;
using GridStrings = std::array<std::string, kGridCells>;

// A grid of plain whole numbers, each 0...9999: what cell texts of one to four decimal digits
// read as, such as the digits and sums of real draws.
using PlainGrid = std::array<std::uint16_t, kGridCells>;
inline constexpr std::uint16_t kPlainCellMax = 9999;

// Views of twelve owned cell texts; they are valid while `cells` lives unchanged.
GridTexts viewsOf(const GridStrings& cells);

}  // namespace quorvel::engine
