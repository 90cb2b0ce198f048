#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "quorvel/failure.h"
#include "quorvel/grid.h"
#include "quorvel/sum_list.h"
#include "quorvel/verdict.h"

namespace quorvel {

// The eight output boxes, indexed as the window's controls.
enum class OutputBox : std::uint8_t {
  Text2,  // the predicted range
  Text3,  // the key range
  Text4,  // the extreme numbers
  Text5_0,
  Text5_1,
  Text5_2,
  Text5_3,
  Text5_4,  // middle/edge, big/small, odd/even, front/back, mod 3
};
inline constexpr int kOutputBoxes = 8;
inline constexpr int kListBoxes = 3;     // Text2...Text4
inline constexpr int kVerdictBoxes = 5;  // Text5(0)...Text5(4)

// The order in which a pass writes its outputs. A pass that fails has written a prefix of it.
inline constexpr std::array<OutputBox, kOutputBoxes> kWriteOrder = {
    OutputBox::Text2,   OutputBox::Text3,   OutputBox::Text4,   OutputBox::Text5_0,
    OutputBox::Text5_1, OutputBox::Text5_2, OutputBox::Text5_4, OutputBox::Text5_3};

// What one prediction pass reported.
struct PassResult {
  Failure failure = Failure::None;
  FailureCause cause;                      // where the failure arose, when there is one
  int written = 0;                         // outputs written: the first `written` of kWriteOrder
  std::array<SumSet, kListBoxes> lists{};  // Text2, Text3, Text4: the sums each list names
  std::array<Verdict, kVerdictBoxes> verdicts{};  // Text5(0)...Text5(4)

  bool isWritten(OutputBox box) const;
  // The box's text: "" for a box the pass did not write.
  std::string text(OutputBox box) const;
  // Appends the box's text to `out`.
  void appendText(std::string& out, OutputBox box) const;
};

// Runs one prediction pass over the twelve cell texts. Never throws: a pass stopped by a failure
// reports it in `failure` and `cause`, with the outputs written before it. Allocates nothing.
PassResult runPredictionPass(const GridTexts& cells);

// A grid of plain whole numbers, each 0...9999: what cell texts of one to four decimal digits
// read as, such as the digits and sums of real draws.
using PlainGrid = std::array<std::uint16_t, kGridCells>;
inline constexpr std::uint16_t kPlainCellMax = 9999;

// The same pass over a plain grid, without reading or writing text: the result is the one the
// texts of those numbers give. A value above 9999 is read as its decimal text would be.
PassResult runPredictionPass(const PlainGrid& cells);

// The pass as the rules state it, rule by rule over the parsed cells. runPredictionPass takes a
// shorter road where the grid allows and gives exactly this result; this one is its reference.
PassResult runReferencePass(const GridTexts& cells);

}  // namespace quorvel
