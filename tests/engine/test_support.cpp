#include "test_support.h"

#include <charconv>

namespace quorvel::engine::testing {

Grid::Grid(std::initializer_list<std::string_view> texts) {
  std::size_t i = 0;
  for (std::string_view text : texts) cells.at(i++) = std::string(text);
}

GridTexts Grid::texts() const { return viewsOf(cells); }

std::string describe(const Grid& grid) {
  std::string text;
  for (std::size_t i = 0; i < grid.cells.size(); ++i) {
    if (grid.cells[i].empty()) continue;
    text += (text.empty() ? "cell" : " cell") + std::to_string(i + 1) + " " + grid.cells[i];
  }
  return text.empty() ? "empty grid" : text;
}

std::string renderResult(const PassResult& result) {
  static constexpr const char* kNames[] = {"Text2",    "Text3",    "Text4",    "Text5(0)",
                                           "Text5(1)", "Text5(2)", "Text5(3)", "Text5(4)"};
  std::string text;
  for (int box = 0; box < kOutputs; ++box) {
    text += kNames[box];
    text += "=[" + result.text(static_cast<Output>(box)) + "] ";
  }
  return text + "failure=" + std::to_string(static_cast<int>(result.failure));
}

std::array<int, 28> countsOf(std::string_view sums) {
  std::array<int, 28> counts{};
  const char* p = sums.data();
  const char* end = p + sums.size();
  while (p < end) {
    int first = 0;
    p = std::from_chars(p, end, first).ptr;
    int last = first;
    if (p < end && *p == '-') p = std::from_chars(p + 1, end, last).ptr;
    for (int s = first; s <= last; ++s) ++counts.at(static_cast<std::size_t>(s));
    while (p < end && (*p == ',' || *p == ' ')) ++p;
  }
  return counts;
}

}  // namespace quorvel::engine::testing
