// The page's way into the engine: the pass, the draw shift, the grid check's test and the texts
// the window shows, as plain JavaScript values. It moves texts and holds no rule.

#include <emscripten/bind.h>

#include <string>
#include <vector>

#include "quorvel/draw_shift.h"
#include "quorvel/numeric_text.h"
#include "quorvel/prediction_pass.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/failure_report.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/version.h"

namespace {

using emscripten::val;

// Twelve cell texts from a JavaScript array of strings; missing cells are empty.
quorvel::GridStrings gridOf(const val& cells) {
  const std::vector<std::string> texts = emscripten::vecFromJSArray<std::string>(cells);
  quorvel::GridStrings grid;
  for (std::size_t i = 0; i < grid.size() && i < texts.size(); ++i) grid[i] = texts[i];
  return grid;
}

// The report of a failure: its two lines and the cell to fix (-1 for none).
void describeFailure(val& out, quorvel::Failure failure, const quorvel::FailureCause& cause,
                     const quorvel::GridStrings& cells) {
  const quorvel::GridTexts texts = quorvel::viewsOf(cells);
  out.set("failure", static_cast<int>(failure));
  out.set("report", failure == quorvel::Failure::None ? "" : quorvel::failureReport(failure));
  out.set("cellsLine", quorvel::blamedCellsLine(cause, texts));
  out.set("cellToFix", failure == quorvel::Failure::None ? -1 : quorvel::cellToFix(cause, texts));
}

// { failure, report, cellsLine, cellToFix, outputs: [8 texts in box order, "" if unwritten] }
val predict(const val& cells) {
  const quorvel::GridStrings grid = gridOf(cells);
  const quorvel::PassResult result = quorvel::runPredictionPass(quorvel::viewsOf(grid));
  val out = val::object();
  val outputs = val::array();
  for (const quorvel::Output output : quorvel::kAllOutputs)
    outputs.call<void>("push", result.text(output));
  out.set("outputs", outputs);
  describeFailure(out, result.failure, result.cause, grid);
  return out;
}

// { failure, report, cellsLine, cellToFix, cells: [12 texts after the shift] }
val shiftGridDown(const val& cells) {
  const quorvel::GridStrings grid = gridOf(cells);
  const quorvel::DrawShiftResult shifted = quorvel::shiftGridDown(quorvel::viewsOf(grid));
  val out = val::object();
  val texts = val::array();
  for (const std::string& cell : shifted.cells) texts.call<void>("push", cell);
  out.set("cells", texts);
  describeFailure(out, shifted.failure, shifted.cause, grid);
  return out;
}

bool isNumericText(const std::string& text) { return quorvel::isNumericText(text); }

// The texts of the window: its title, the frames' captions, the cells' names and the shop.
val screenTexts() {
  val texts = val::object();
  texts.set("title", std::string(quorvel::kTitleStart) + "(网页版)V" QUORVEL_VERSION_MAJOR_MINOR);
  texts.set("predictedRange", std::string(quorvel::listCaption(quorvel::Output::PredictedRange)));
  texts.set("keyRange", std::string(quorvel::listCaption(quorvel::Output::KeyRange)));
  texts.set("extremeNumbers", std::string(quorvel::listCaption(quorvel::Output::ExtremeNumbers)));
  texts.set("verdicts", std::string(quorvel::kVerdictCaption));
  texts.set("shop", std::string(quorvel::kShopPageAddress));
  val names = val::array();
  for (int cell = 0; cell < quorvel::kGridCells; ++cell) {
    names.call<void>("push", std::string(quorvel::cellName(cell)));
  }
  texts.set("cellNames", names);
  return texts;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvel) {
  emscripten::function("predict", &predict);
  emscripten::function("shiftGridDown", &shiftGridDown);
  emscripten::function("isNumericText", &isNumericText);
  emscripten::function("screenTexts", &screenTexts);
}
