#include "quorvel/presentation/cell_names.h"

#include <array>

#include "quorvel/engine/grid.h"

namespace quorvel::presentation {

std::string_view cellName(int period, int column) {
  static constexpr std::array<std::string_view, engine::kGridCells> kNames = {
      "最新一期第一位", "最新一期第二位", "最新一期第三位", "最新一期和值",
      "上一期第一位",   "上一期第二位",   "上一期第三位",   "上一期和值",
      "最早一期第一位", "最早一期第二位", "最早一期第三位", "最早一期和值"};
  if (period < 0 || period >= engine::kGridPeriods || column < 0 ||
      column >= engine::kGridColumns) {
    return "";
  }
  return kNames[static_cast<std::size_t>(period * engine::kGridColumns + column)];
}

std::string_view cellName(int cell) {
  if (cell < 0 || cell >= engine::kGridCells) return "";
  return cellName(cell / engine::kGridColumns, cell % engine::kGridColumns);
}

std::string_view cellName(int cell, Language language) {
  static constexpr std::array<std::string_view, engine::kGridCells> kEnglish = {
      "the latest period's first digit",   "the latest period's second digit",
      "the latest period's third digit",   "the latest period's sum",
      "the previous period's first digit", "the previous period's second digit",
      "the previous period's third digit", "the previous period's sum",
      "the oldest period's first digit",   "the oldest period's second digit",
      "the oldest period's third digit",   "the oldest period's sum"};
  if (language == Language::Chinese || cell < 0 || cell >= engine::kGridCells) {
    return cellName(cell);
  }
  return kEnglish[static_cast<std::size_t>(cell)];
}

std::string_view periodName(int period, Language language) {
  static constexpr std::array<std::string_view, engine::kGridPeriods> kChinese = {
      "最新一期", "上一期", "最早一期"};
  static constexpr std::array<std::string_view, engine::kGridPeriods> kEnglish = {
      "the latest period", "the previous period", "the oldest period"};
  if (period < 0 || period >= engine::kGridPeriods) return "";
  return (language == Language::Chinese ? kChinese : kEnglish)[static_cast<std::size_t>(period)];
}

}  // namespace quorvel::presentation
