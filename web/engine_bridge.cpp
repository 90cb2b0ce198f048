// The page's way into the engine: the pass, the draw shift, the grid check's test and MainForm's
// layout, as plain JavaScript values. It moves texts and holds no rule.

#include <emscripten/bind.h>

#include <string>
#include <vector>

#include "quorvel/engine/draw_shift.h"
#include "quorvel/engine/numeric_text.h"
#include "quorvel/engine/prediction_pass.h"
#include "quorvel/presentation/failure_report.h"
#include "quorvel/presentation/grid_notes.h"
#include "quorvel/presentation/main_form_layout.h"
#include "quorvel/presentation/odds.h"
#include "quorvel/presentation/page_texts.h"
#include "quorvel/presentation/screen_layout.h"

namespace quorvel::web {
namespace {

using emscripten::val;

// Twelve cell texts from a JavaScript array of strings; missing cells are empty.
engine::GridStrings gridOf(const val& cells) {
  const std::vector<std::string> texts = emscripten::vecFromJSArray<std::string>(cells);
  engine::GridStrings grid;
  for (std::size_t i = 0; i < grid.size() && i < texts.size(); ++i) grid[i] = texts[i];
  return grid;
}

// The report of a failure: its two lines and the cell to fix (-1 for none).
void describeFailure(val& out, engine::Failure failure, const engine::FailureCause& cause,
                     const engine::GridStrings& cells) {
  const engine::GridTexts texts = engine::viewsOf(cells);
  const bool failed = failure != engine::Failure::None;
  out.set("failure", static_cast<int>(failure));
  out.set("report", failed ? presentation::failureReport(failure) : "");
  out.set("cellsLine", presentation::blamedCellsLine(cause, texts));
  out.set("cellToFix", failed ? presentation::cellToFix(cause, texts) : -1);
}

// Where the grid is not three real draws, in the language of the browser's tag `language`.
val notesOn(const engine::GridStrings& grid, const std::string& language) {
  const engine::GridTexts texts = engine::viewsOf(grid);
  val notes = val::array();
  for (const presentation::GridNote& note : presentation::gridNotes(texts)) {
    notes.call<void>("push",
                     presentation::noteText(note, texts, presentation::languageForTag(language)));
  }
  return notes;
}

// What following each output the pass wrote costs, in screen order: [{ label, parts }], the label
// a list's caption or a verdict's text, the parts of its odds line in the language of the
// browser's tag.
val oddsOf(const engine::PassResult& result, const std::string& language) {
  const presentation::Language words = presentation::languageForTag(language);
  val odds = val::array();
  const auto add = [&](engine::Output output, std::string label) {
    const std::vector<std::string> parts = presentation::oddsParts(result, output, words);
    if (parts.empty()) return;
    val entry = val::object();
    entry.set("label", label);
    entry.set("parts", val::array(parts));
    odds.call<void>("push", entry);
  };
  for (int i = 0; i < engine::kLists; ++i) {
    const auto list = static_cast<engine::Output>(i);
    add(list, std::string(presentation::listCaption(list)));
  }
  for (const engine::Output box : presentation::kVerdictsOnScreen) add(box, result.text(box));
  return odds;
}

// { failure, report, cellsLine, cellToFix, outputs: [8 texts in box order, "" if unwritten],
//   notes: [what keeps the grid from being three draws], odds: what following each costs }
val predict(const val& cells, const std::string& language) {
  const engine::GridStrings grid = gridOf(cells);
  const engine::PassResult result = engine::runPredictionPass(engine::viewsOf(grid));
  val out = val::object();
  val outputs = val::array();
  for (const engine::Output output : engine::kAllOutputs) {
    outputs.call<void>("push", result.text(output));
  }
  out.set("outputs", outputs);
  out.set("notes", notesOn(grid, language));
  out.set("odds", oddsOf(result, language));
  describeFailure(out, result.failure, result.cause, grid);
  return out;
}

// { failure, report, cellsLine, cellToFix, cells: [12 texts after the shift] }
val shiftGridDown(const val& cells) {
  const engine::GridStrings grid = gridOf(cells);
  const engine::DrawShiftResult shifted = engine::shiftGridDown(engine::viewsOf(grid));
  val out = val::object();
  val texts = val::array();
  for (const std::string& cell : shifted.cells) texts.call<void>("push", cell);
  out.set("cells", texts);
  describeFailure(out, shifted.failure, shifted.cause, grid);
  return out;
}

bool isNumericText(const std::string& text) { return engine::isNumericText(text); }

// MainForm's controls as the page's markup was made from them: [{ id, name, container, rect:
// [left, top, width, height] on the form, caption, tabPosition, accessibleName }], for the
// page's tests to hold the page against.
val formLayout() {
  val controls = val::array();
  for (const presentation::Control& control : presentation::mainFormControls()) {
    const presentation::Rect r = presentation::rectOnForm(control);
    val rect = val::array();
    for (const int edge : {r.left, r.top, r.width, r.height}) rect.call<void>("push", edge);
    val out = val::object();
    out.set("id", presentation::elementId(control.name));
    out.set("name", std::string(control.name));
    out.set("container", std::string(control.container));
    out.set("rect", rect);
    out.set("caption", std::string(control.caption));
    out.set("tabPosition", control.tabPosition);
    out.set("accessibleName", std::string(control.accessibleName));
    controls.call<void>("push", out);
  }
  return controls;
}

// The words of the page around the form, in the language of the browser's first language tag.
val pageTexts(const std::string& tag) {
  const presentation::Language language = presentation::languageForTag(tag);
  const presentation::PageTexts& texts = presentation::pageTexts(language);
  val out = val::object();
  out.set("lang", std::string(presentation::languageTag(language)));
  out.set("downloadLink", std::string(texts.downloadLink));
  out.set("keptNote", std::string(texts.keptNote));
  out.set("forget", std::string(texts.forget));
  out.set("oddsTitle", presentation::oddsTitle(language));
  return out;
}

}  // namespace
}  // namespace quorvel::web

EMSCRIPTEN_BINDINGS(quorvel) {
  emscripten::function("predict", &quorvel::web::predict);
  emscripten::function("shiftGridDown", &quorvel::web::shiftGridDown);
  emscripten::function("isNumericText", &quorvel::web::isNumericText);
  emscripten::function("formLayout", &quorvel::web::formLayout);
  emscripten::function("pageTexts", &quorvel::web::pageTexts);
}
