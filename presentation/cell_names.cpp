#include "quorvel/presentation/cell_names.h"

#include <array>

#include "quorvel/engine/grid.h"

namespace quorvel::presentation {

using words::Catalogue;
using words::kWindowLanguage;
namespace {

struct CellWords {
  std::array<std::string_view, engine::kGridCells> cells;  // in grid order
  std::array<std::string_view, engine::kGridPeriods> periods;
};

constexpr CellWords kChinese{{"最新一期第一位", "最新一期第二位", "最新一期第三位", "最新一期和值",
                              "上一期第一位", "上一期第二位", "上一期第三位", "上一期和值",
                              "最早一期第一位", "最早一期第二位", "最早一期第三位", "最早一期和值"},
                             {"最新一期", "上一期", "最早一期"}};

constexpr CellWords kEnglish{
    {"the latest period's first digit", "the latest period's second digit",
     "the latest period's third digit", "the latest period's sum",
     "the previous period's first digit", "the previous period's second digit",
     "the previous period's third digit", "the previous period's sum",
     "the oldest period's first digit", "the oldest period's second digit",
     "the oldest period's third digit", "the oldest period's sum"},
    {"the latest period", "the previous period", "the oldest period"}};

constexpr Catalogue<CellWords> kWords{kEnglish, kChinese};

}  // namespace

std::string_view cellName(int period, int column) {
  if (period < 0 || period >= engine::kGridPeriods || column < 0 ||
      column >= engine::kGridColumns) {
    return "";
  }
  return cellName(period * engine::kGridColumns + column);
}

std::string_view cellName(int cell) { return cellName(cell, kWindowLanguage); }

std::string_view cellName(int cell, Language language) {
  if (cell < 0 || cell >= engine::kGridCells) return "";
  return kWords.in(language).cells[static_cast<std::size_t>(cell)];
}

std::string_view periodName(int period, Language language) {
  if (period < 0 || period >= engine::kGridPeriods) return "";
  return kWords.in(language).periods[static_cast<std::size_t>(period)];
}

}  // namespace quorvel::presentation
