#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "checked_array.h"
#include "quorvel/engine/grid.h"
#include "quorvel/engine/prediction_pass.h"
#include "row_name.h"

namespace quorvel::engine::testing {

using quorvel::testing::NamedRow;

// Twelve cell texts from a list; missing trailing cells are empty.
struct Grid {
  std::array<std::string, kGridCells> cells;
  Grid(std::initializer_list<std::string_view> texts);
  GridTexts texts() const;
};

// The grid's cells that are not empty, "cell1 2.5 cell4 3", for a test row's name.
std::string describe(const Grid& grid);

// The first `count` entries of a working array, space-separated, as the examples write them.
template <int Size>
std::string render(const CheckedArray<Size>& values, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += std::to_string(values[i]);
  }
  return text;
}

// Every output box and the failure, in box order: "Text2=[...] ... failure=0".
std::string renderResult(const PassResult& result);

// Sums written as "2, 5, 7-8" into one count per sum; a repeated sum counts twice.
std::array<int, 28> countsOf(std::string_view sums);

}  // namespace quorvel::engine::testing
