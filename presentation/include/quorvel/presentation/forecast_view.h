#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/engine/failure.h"
#include "quorvel/engine/grid.h"
#include "quorvel/engine/output.h"
#include "quorvel/game/game.h"
#include "quorvel/game/odds.h"
#include "quorvel/words/language.h"

// The forecast as every front end shows it: one pass over the grid, gathered once with its
// captions, odds, notes and failure report, so that the window, the page and the command line
// each only lay it out.
namespace quorvel::presentation {

// One output box as the forecast left it.
struct OutputView {
  engine::Output output{};
  bool written = false;
  std::string_view box;      // the box that shows it: "Text2", "Text5(0)"
  std::string_view caption;  // a list's frame caption, a verdict box's label: "预测号码范围", "中边"
  std::string text;          // "" when the pass did not write it
  // What following it costs, as parts a narrow screen may put on lines of their own, and as one
  // line; none for an output not written or a verdict that calls nothing.
  std::vector<std::string> odds;
  std::string oddsLine;
  std::optional<game::ListOdds> listOdds;  // a written list's chance and money
  std::optional<int> chanceThousandths;    // a written call's chance of being right
};

// What a stopped action reports: the error report's lines, the command line's one line, and the
// cell to put the cursor in (-1 for none).
struct FailureView {
  engine::Failure failure = engine::Failure::None;
  std::string report;     // "运行时错误 '6'：溢出"; "" for no failure
  std::string cellsLine;  // "出错的格子：…"; "" when the cause names no cell
  std::string message;    // the command line's one line; "" for no failure
  int cellToFix = -1;
  bool failed() const { return failure != engine::Failure::None; }
  // The report as the window's and the page's message box shows it: its lines, one under the other.
  std::string boxText() const { return cellsLine.empty() ? report : report + "\n" + cellsLine; }
};

struct ForecastView {
  std::array<OutputView, engine::kOutputs> outputs;  // in box order, Text2 ... Text5(4)
  // Where the grid is not three real draws: each note's text, and each cell's notes.
  std::vector<std::string> notes;
  std::array<std::vector<std::string>, engine::kGridCells> cellNotes;
  FailureView failure;

  const OutputView& operator[](engine::Output output) const {
    return outputs[static_cast<std::size_t>(output)];
  }
};

// The outputs as the screen shows them: the three lists top to bottom, then the verdict boxes
// left to right.
extern const std::array<engine::Output, engine::kOutputs> kOutputsOnScreen;

// The forecast of the grid `cells` in `game`, its notes and odds in `language`.
ForecastView forecastView(const engine::GridTexts& cells, const game::Game& game,
                          words::Language language);

// The report of an action that stopped with `failure`, on the grid `cells` as it was.
FailureView failureView(engine::Failure failure, const engine::FailureCause& cause,
                        const engine::GridTexts& cells);

}  // namespace quorvel::presentation
