#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::testing {

// A test row's name for gtest and ctest from the row's own words: its number, then letters and
// digits kept, signs and points spelled out, anything else folded into one underscore.
// rowName(3, "-2.5e3") is "3_minus2dot5e3".
inline std::string rowName(std::size_t index, std::string_view words) {
  std::string name = std::to_string(index) + "_";
  const std::size_t start = name.size();
  for (const char c : words) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) != 0 && u < 0x80) {
      name += c;
    } else if (c == '-') {
      name += "minus";
    } else if (c == '+') {
      name += "plus";
    } else if (c == '.') {
      name += "dot";
    } else if (name.back() != '_') {
      name += '_';
    }
    if (name.size() > start + 48) break;
  }
  while (name.size() > start && name.back() == '_') name.pop_back();
  if (name.size() == start) name += "empty";
  return name;
}

// The name generator for INSTANTIATE_TEST_SUITE_P: a row describes itself with `describe`.
struct NamedRow {
  template <class Info>
  std::string operator()(const Info& info) const {
    return rowName(info.index, describe(info.param));
  }
};

}  // namespace quorvel::testing
