#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

#include "quorvel/failure.h"
#include "quorvel/grid.h"
#include "quorvel/sum_list.h"
#include "quorvel/verdict.h"

namespace quorvel {

// The eight outputs of a pass, by what each holds. Their order is the window's box order:
// Text2, Text3, Text4 hold the lists, Text5(0)...Text5(4) the verdicts.
enum class Output : std::uint8_t {
  PredictedRange,  // Text2
  KeyRange,        // Text3
  ExtremeNumbers,  // Text4
  MiddleEdge,      // Text5(0)
  BigSmall,        // Text5(1)
  OddEven,         // Text5(2)
  FrontBack,       // Text5(3)
  Mod3,            // Text5(4)
};
inline constexpr int kOutputs = 8;
inline constexpr int kLists = 3;     // the three lists come first
inline constexpr int kVerdicts = 5;  // then the five verdicts

// Every output, in Output order.
inline constexpr std::array<Output, kOutputs> kAllOutputs = {
    Output::PredictedRange, Output::KeyRange, Output::ExtremeNumbers, Output::MiddleEdge,
    Output::BigSmall,       Output::OddEven,  Output::FrontBack,      Output::Mod3};

// Whether an output is one of the lists (or else a verdict).
constexpr bool isList(Output output) { return static_cast<int>(output) < kLists; }

// The order in which a pass writes its outputs. A pass that fails has written a prefix of it.
inline constexpr std::array<Output, kOutputs> kWriteOrder = {
    Output::PredictedRange, Output::KeyRange, Output::ExtremeNumbers, Output::MiddleEdge,
    Output::BigSmall,       Output::OddEven,  Output::Mod3,           Output::FrontBack};

// What one prediction pass reported.
struct PassResult {
  Failure failure = Failure::None;
  FailureCause cause;  // where the failure arose, when there is one
  int written = 0;     // outputs written: the first `written` of kWriteOrder

  bool isWritten(Output output) const {
    if (written == kOutputs) return true;
    for (int i = 0; i < written; ++i) {
      if (kWriteOrder[static_cast<std::size_t>(i)] == output) return true;
    }
    return false;
  }
  // The sums a list names (0 for one not written), and a verdict (NoCall for one not written).
  SumSet list(Output output) const { return lists_[slot(output)]; }
  Verdict verdict(Output output) const { return verdicts_[slot(output) - kLists]; }
  // The output's text: "" for an output the pass did not write.
  std::string text(Output output) const;
  // Appends the output's text to `out`.
  void appendText(std::string& out, Output output) const;

  // Records the next output in kWriteOrder; `output` must be that one. Only the pass writes.
  void writeList(Output output, SumSet sums) {
    assert(isList(output));
    lists_[slot(output)] = sums;
    advance(output);
  }
  void writeVerdict(Output output, Verdict call) {
    assert(!isList(output));
    verdicts_[slot(output) - kLists] = call;
    advance(output);
  }

 private:
  static std::size_t slot(Output output) { return static_cast<std::size_t>(output); }
  void advance([[maybe_unused]] Output output) {
    assert(written < kOutputs && kWriteOrder[static_cast<std::size_t>(written)] == output);
    ++written;
  }

  std::array<SumSet, kLists> lists_{};
  std::array<Verdict, kVerdicts> verdicts_{};
};

// Runs one prediction pass over the twelve cell texts. Never throws: a pass stopped by a failure
// reports it in `failure` and `cause`, with the outputs written before it. A grid of plain
// numbers (see PlainGrid) takes the fast road, which allocates nothing; any other grid takes the
// reference road, which may allocate while it reads a number with blanks inside it and when a
// failure stops it.
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
