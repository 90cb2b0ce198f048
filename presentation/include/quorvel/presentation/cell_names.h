#pragma once

#include <string_view>

#include "quorvel/words/language.h"

namespace quorvel::presentation {

using words::Language;

// A grid cell as the window's user knows it, by its row (period 0 latest ... 2 oldest) and column
// (0...2 the digits, 3 the sum): "最新一期第一位", "上一期和值", "最早一期第三位". A row or
// column outside the grid gives "".
std::string_view cellName(int period, int column);

// The same by the cell's index in grid order, 4 * period + column.
std::string_view cellName(int cell);

// The cell's name in `language`: in English "the latest period's first digit", "the previous
// period's sum".
std::string_view cellName(int cell, Language language);

// A period's name in `language`: "最新一期", "上一期", "最早一期"; "the latest period", ...
std::string_view periodName(int period, Language language);

}  // namespace quorvel::presentation
