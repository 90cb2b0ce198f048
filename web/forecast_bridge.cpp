// The page's way into the forecast, the module its first visit loads: the pass, the draw shift,
// the grid check's test, the page's words and the backtest's settings, as
// plain JavaScript values. It moves texts and holds no rule.

#include <emscripten/bind.h>

#include <optional>
#include <string>
#include <vector>

#include "js_values.h"
#include "quorvel/backtest/device_limits.h"
#include "quorvel/backtest/settings.h"
#include "quorvel/engine/draw_shift.h"
#include "quorvel/engine/numeric_text.h"
#include "quorvel/game/game.h"
#include "quorvel/presentation/forecast_view.h"
#include "quorvel/presentation/odds.h"
#include "quorvel/presentation/page_words.h"
#include "quorvel/report/problem_text.h"
#include "quorvel/report/record_section_words.h"
#include "quorvel/report/section_texts.h"
#include "settings_value.h"

namespace quorvel::web {
namespace {

using emscripten::val;

// The report of a failure: its two lines and the cell to fix (-1 for none).
void describeFailure(val& out, const presentation::FailureView& failure) {
  out.set("failure", static_cast<int>(failure.failure));
  out.set("report", failure.report);
  out.set("cellsLine", failure.cellsLine);
  out.set("cellToFix", failure.cellToFix);
}

// { failure, report, cellsLine, cellToFix, outputs: [8 texts in box order, "" if unwritten],
//   notes: [what keeps the grid from being three draws], odds: [{ label, parts }] in screen order,
//   the label a list's caption or a verdict's text, the parts what following it costs }
val predict(const val& cells, const std::string& language, const std::string& gameId) {
  const engine::GridStrings grid = gridOf(cells);
  const presentation::ForecastView view = presentation::forecastView(
      engine::viewsOf(grid), game::gameOrFirst(gameId), words::languageForTag(language));
  val out = val::object();
  val outputs = val::array();
  for (const presentation::OutputView& box : view.outputs) outputs.call<void>("push", box.text);
  val odds = val::array();
  for (const engine::Output output : presentation::kOutputsOnScreen) {
    const presentation::OutputView& box = view[output];
    if (box.odds.empty()) continue;
    val entry = val::object();
    entry.set("label", std::string(engine::isList(output) ? box.caption : box.text));
    entry.set("parts", val::array(box.odds));
    odds.call<void>("push", entry);
  }
  out.set("outputs", outputs);
  out.set("notes", val::array(view.notes));
  out.set("odds", odds);
  describeFailure(out, view.failure);
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
  describeFailure(out, presentation::failureView(shifted.failure, shifted.cause, engine::viewsOf(grid)));
  return out;
}

bool isNumericText(const std::string& text) { return engine::isNumericText(text); }

// The page's fixed words in the language of the browser's tag, by the keys its elements name,
// and the language's own tag: { lang, words: { key: text } }.
val words(const std::string& tag) {
  const words::Language language = words::languageForTag(tag);
  val texts = val::object();
  for (const words::WordList list :
       {presentation::pageWords(language), report::sectionWords(language),
        report::recordSectionWords(language)}) {
    for (const words::Word& word : list)
      texts.set(std::string(word.key), std::string(word.text));
  }
  val out = val::object();
  out.set("lang", std::string(words::languageTag(language)));
  out.set("words", texts);
  return out;
}

std::string oddsTitle(const std::string& tag, const std::string& gameId) {
  return presentation::oddsTitle(game::gameOrFirst(gameId), words::languageForTag(tag));
}

// The backtest's settings from the page's link (?seed=7&shuffles=5000): each setting's values as
// the link gives them (none, one, or a repeated setting's several), checked as the command line
// checks its options: { settings, problems }, where every setting that is not valid, or is
// given more than once, gives its located reason, worded for the link, and its default is used.
val linkSettings(const val& seeds, const val& shuffles, const std::string& gameId,
                 const std::string& tag) {
  const words::Language language = words::languageForTag(tag);
  val problems = val::array();
  // The one value of a setting, or nothing when it is not given or given more than once.
  const auto once = [&](const char* name, const val& values) -> std::optional<std::string> {
    const std::vector<std::string> given = emscripten::vecFromJSArray<std::string>(values);
    if (given.size() <= 1) return given.empty() ? std::nullopt : std::optional(given[0]);
    std::string all;
    for (const std::string& value : given) all += (all.empty() ? "" : ", ") + value;
    problems.call<void>(
        "push", report::locatedText(name, {backtest::Fault::Repeated, 0, 0, given.size(), 0, all},
                                    language));
    return std::nullopt;
  };
  const backtest::SettingsRead seeded = backtest::readSettings({{}, once("seed", seeds), {}, {}});
  const backtest::SettingsRead shuffled = backtest::readSettings({once("shuffles", shuffles), {}, {}, {}});
  for (const auto& [name, valid] : {std::pair("seed", &seeded), std::pair("shuffles", &shuffled)}) {
    if (valid->problem)
      problems.call<void>("push", report::locatedText(name, *valid->problem, language));
  }
  val out = val::object();
  out.set("settings", SettingsValue{seeded.settings.seed,
                                    static_cast<std::uint32_t>(shuffled.settings.shuffles),
                                    std::string(game::gameOrFirst(gameId).id)});
  out.set("problems", problems);
  return out;
}

std::string recordLine(const std::string& name, const SettingsValue& settings,
                       const std::string& tag) {
  return report::recordLine(name, settings.shuffles, settings.seed,
                            words::languageForTag(tag));
}

std::string progressLine(double done, double total, const SettingsValue& settings,
                         const std::string& tag) {
  return report::progressLine(static_cast<std::uint64_t>(done), static_cast<std::uint64_t>(total),
                              settings.shuffles, words::languageForTag(tag));
}

std::string tookText(double milliseconds, const std::string& tag) {
  return report::tookText(milliseconds, words::languageForTag(tag));
}

std::string commandLine(const std::string& name, const SettingsValue& settings) {
  return report::commandLine(name, settings.shuffles, settings.seed,
                             game::gameOrFirst(settings.game));
}

// Why a record of `bytes` bytes is too large to test on this device, in the player's words; ""
// when it is not. `gigabytes` is the device's memory as the browser tells it, 0 when it does not.
std::string recordSizeProblem(const std::string& name, double bytes, double gigabytes,
                              const std::string& tag) {
  const backtest::RecordLimit limit = backtest::recordLimit(gigabytes);
  if (bytes <= static_cast<double>(limit.bytes)) return "";
  return report::locatedText(name, {limit.fault, 0, 0, limit.bytes}, words::languageForTag(tag));
}

}  // namespace
}  // namespace quorvel::web

EMSCRIPTEN_BINDINGS(quorvel_forecast) {
  using namespace quorvel::web;
  bindSettingsValue();
  emscripten::function("predict", &predict);
  emscripten::function("shiftGridDown", &shiftGridDown);
  emscripten::function("isNumericText", &isNumericText);
  emscripten::function("words", &words);
  emscripten::function("oddsTitle", &oddsTitle);
  emscripten::function("linkSettings", &linkSettings);
  emscripten::function("recordLine", &recordLine);
  emscripten::function("progressLine", &progressLine);
  emscripten::function("tookText", &tookText);
  emscripten::function("commandLine", &commandLine);
  emscripten::function("recordSizeProblem", &recordSizeProblem);
}
