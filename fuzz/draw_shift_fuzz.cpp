// The grid check's numeric test, the leading-number parse and the draw shift.

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cmath>
#include <string>

#include "fuzz_check.h"
#include "quorvel/engine/draw_shift.h"
#include "quorvel/engine/cell_value.h"
#include "quorvel/engine/numeric_text.h"

namespace engine = quorvel::engine;

namespace {

// A numeric text read by the standard library instead: the same value the leading-number parse
// must give, wherever the number fits a double.
void checkAgainstFromChars(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  double expected = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
  if (ec != std::errc()) return;  // beyond the double range
  FUZZ_CHECK(end == text.data() + text.size());
  const double parsed = engine::parseLeadingNumber(text);
  FUZZ_CHECK(parsed == expected);
  FUZZ_CHECK(engine::parseLeadingNumber(std::string(negative ? "-" : "+") + std::string(text)) ==
             (negative ? -expected : expected));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::array<std::string, engine::kGridCells> cells;
  for (std::size_t i = 0; i + 1 < cells.size(); ++i) cells[i] = input.ConsumeRandomLengthString(40);
  cells.back() = input.ConsumeRemainingBytesAsString();

  engine::GridTexts texts;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    texts[i] = cells[i];
    const double value = engine::parseLeadingNumber(cells[i]);
    FUZZ_CHECK(!std::isnan(value));
    if (engine::isNumericText(cells[i])) checkAgainstFromChars(cells[i]);
  }

  const engine::DrawShiftResult shifted = engine::shiftGridDown(texts);
  if (shifted.failure != engine::Failure::None) {
    FUZZ_CHECK(shifted.failure == engine::Failure::Overflow);
    // The cell named is the first whose value does not fit.
    FUZZ_CHECK(shifted.cause.cells().size() == 1);
    const std::size_t blamed = shifted.cause.cells()[0];
    FUZZ_CHECK(!engine::cellValue(cells[blamed]).has_value());
    for (std::size_t i = 0; i < blamed; ++i) FUZZ_CHECK(engine::cellValue(cells[i]).has_value());
    return 0;
  }
  for (std::size_t i = 0; i < 4; ++i) FUZZ_CHECK(shifted.cells[i].empty());
  for (std::size_t i = 4; i < cells.size(); ++i) {
    FUZZ_CHECK(engine::isNumericText(shifted.cells[i]));
    // A shifted cell holds the plain decimal of the value it came from.
    FUZZ_CHECK(engine::cellValue(shifted.cells[i]) == engine::cellValue(cells[i - 4]));
    FUZZ_CHECK(std::to_string(*engine::cellValue(cells[i - 4])) == shifted.cells[i]);
  }
  return 0;
}
