#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "quorvel/failure.h"
#include "quorvel/sum_set.h"

namespace quorvel {

// The history grid: cell 4 * p + k holds period p (0 latest, 2 oldest) and column k (0...2 the
// drawn digits, 3 the period's sum).
inline constexpr int kGridCells = 12;
using GridTexts = std::array<std::string_view, kGridCells>;
using GridStrings = std::array<std::string, kGridCells>;

// Views of twelve owned cell texts; they are valid while `cells` lives unchanged.
GridTexts viewsOf(const GridStrings& cells);

// The eight output boxes, indexed as the window's controls.
enum class OutputBox : std::uint8_t {
  Text2,
  Text3,
  Text4,
  Text5_0,
  Text5_1,
  Text5_2,
  Text5_3,
  Text5_4
};
inline constexpr int kOutputBoxes = 8;

// The order in which a pass writes its outputs. A pass that fails has written a prefix of it.
inline constexpr std::array<OutputBox, kOutputBoxes> kWriteOrder = {
    OutputBox::Text2,   OutputBox::Text3,   OutputBox::Text4,   OutputBox::Text5_0,
    OutputBox::Text5_1, OutputBox::Text5_2, OutputBox::Text5_4, OutputBox::Text5_3};

// The calls an attribute rule can make.
enum class Verdict : std::uint8_t {
  Middle,
  Edge,  // Text5(0)
  Big,
  Small,  // Text5(1)
  Even,
  Odd,  // Text5(2)
  Front,
  Back,  // Text5(3)
  Mod3Is0,
  Mod3Is1,
  Mod3Is2,
  NoCall,  // Text5(4)
};

// The verdict as its box shows it, such as "中边：中", "3N：3２" or "无".
std::string_view verdictText(Verdict verdict);

// What one prediction pass reported.
struct PassResult {
  Failure failure = Failure::None;
  int written = 0;                    // outputs written: the first `written` of kWriteOrder
  std::array<SumSet, 3> lists{};      // Text2, Text3, Text4: the sums each list names
  std::array<Verdict, 5> verdicts{};  // Text5(0)...Text5(4)

  bool isWritten(OutputBox box) const;
  // The box's text: "" for a box the pass did not write.
  std::string text(OutputBox box) const;
  // Appends the box's text to `out`.
  void appendText(std::string& out, OutputBox box) const;
};

// Runs one prediction pass over the twelve cell texts. Never throws: a pass stopped by a failure
// reports it in `failure`, with the outputs written before it.
PassResult runPredictionPass(const GridTexts& cells);

}  // namespace quorvel
