// The two entries that choose a pass's road: the fast road for a grid of plain numbers, the
// reference road for any other.

#include "quorvel/engine/prediction_pass.h"

#include <algorithm>
#include <charconv>

#include "fast_pass.h"
#include "quorvel/engine/reference_pass.h"

namespace quorvel::engine {

namespace {

// A cell of one to four decimal digits and nothing else, or the empty cell (0).
bool readPlainCell(std::string_view text, std::uint16_t& value) {
  const auto digit = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]) - unsigned{'0'};
  };
  // One or two digits, the cells of real draws, without a branch on which: for one digit the
  // first and the last are the same.
  if (text.size() - 1 < 2) {
    const unsigned first = digit(0), last = digit(text.size() - 1);
    value = static_cast<std::uint16_t>(text.size() == 1 ? first : first * 10 + last);
    return (first | last) <= 9;
  }
  switch (text.size()) {
    case 0:
      value = 0;
      return true;
    case 3: {
      const unsigned a = digit(0), b = digit(1), c = digit(2);
      value = static_cast<std::uint16_t>((a * 10 + b) * 10 + c);
      return (a | b | c) <= 9;
    }
    case 4: {
      const unsigned a = digit(0), b = digit(1), c = digit(2), d = digit(3);
      value = static_cast<std::uint16_t>(((a * 10 + b) * 10 + c) * 10 + d);
      return (a | b | c | d) <= 9;
    }
    default:
      return false;
  }
}

// The reference pass over the decimal texts of a plain grid with a value beyond 9999.
PassResult passOverTexts(const PlainGrid& cells) {
  std::array<char, kGridCells * 6> buffer;
  GridTexts texts;
  char* next = buffer.data();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const auto written = std::to_chars(next, next + 6, cells[i]);
    texts[i] = std::string_view(next, static_cast<std::size_t>(written.ptr - next));
    next = written.ptr;
  }
  return runReferencePass(texts);
}

}  // namespace

PassResult runPredictionPass(const GridTexts& cells) {
  PlainGrid values;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (!readPlainCell(cells[i], values[i])) return runReferencePass(cells);
  }
  return runFastPass(values);
}

PassResult runPredictionPass(const PlainGrid& cells) {
  const bool plain = std::all_of(cells.begin(), cells.end(),
                                 [](std::uint16_t cell) { return cell <= kPlainCellMax; });
  return plain ? runFastPass(cells) : passOverTexts(cells);
}

}  // namespace quorvel::engine
