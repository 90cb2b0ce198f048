// The page's way into the record it keeps on the device, a module loaded once the forecast
// answers: the record read, draws joined to it, the typed draw after the draw shift, its newest
// grid, its recent draws scored and the test on later draws, in the player's words. It moves texts
// and holds no rule.

#include <emscripten/bind.h>

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>

#include "js_values.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/kept_record.h"
#include "quorvel/backtest/summary.h"
#include "quorvel/game/draw_clock.h"
#include "quorvel/game/game.h"
#include "quorvel/backtest/trend_chart.h"
#include "quorvel/report/trend_texts.h"
#include "quorvel/report/later_draws_texts.h"
#include "quorvel/words/output_names.h"
#include "quorvel/report/problem_text.h"
#include "quorvel/report/record_csv.h"
#include "quorvel/report/record_texts.h"
#include "quorvel/backtest/record_reader.h"

namespace quorvel::web {
namespace {

namespace bt = backtest;
using emscripten::val;
using words::Language;

std::string trimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// The record a player keeps: read from its text, grown by draws given or typed, and said.
class KeptRecord {
 public:
  // Reads `text`, the kept record or the shipped one of the game `gameId`, named `name` in a
  // message.
  KeptRecord(const std::string& text, const std::string& name, const std::string& tag,
             const std::string& gameId)
      : language_(words::languageForTag(tag)), game_(&game::gameOrFirst(gameId)) {
    try {
      std::istringstream in(text);
      record_ = bt::readRecord(in);
    } catch (const bt::BacktestError& error) {
      error_ = report::locatedText(name, error.problem(), language_);
    }
  }

  // The reason the text could not be read, "" when it was.
  std::string error() const { return error_; }
  std::string damaged() const { return report::damagedStatus(error_, language_); }

  std::string csv() const {
    std::ostringstream out;
    report::writeRecordCsv(out, record_.draws);
    return out.str();
  }

  // The name the record is saved and tested under: its last period's.
  std::string fileName() const { return report::recordFileName(record_.draws); }

  std::string status() const { return report::recordStatus(record_, language_); }
  std::uint64_t lastPeriod() const {
    return record_.draws.empty() ? 0 : record_.draws.back().period;
  }

  // Joins the draws of `text` (named `name`): { status, added, disagree, error }. While draws
  // disagree with the record's, nothing changes until the player's `choice`: "ask" (none yet),
  // "given" or "kept".
  val add(const std::string& text, const std::string& name, const std::string& choice) {
    const bt::Disagreeing disagreeing = choice == "given"  ? bt::Disagreeing::TakeGiven
                                        : choice == "kept" ? bt::Disagreeing::KeepKept
                                                           : bt::Disagreeing::Ask;
    val out = val::object();
    out.set("added", 0);
    out.set("disagree", false);
    try {
      if (text.size() > bt::kMaxKeptFileBytes) {
        throw bt::BacktestError({bt::Fault::RecordTooLarge, 0, 0, bt::kMaxKeptFileBytes});
      }
      std::istringstream in(text);
      const bt::Record given = bt::readRecord(in);
      bt::checkJoins(record_, given, name, *game_);
      const bt::Merged merged = bt::mergeDraws(record_, given.draws, disagreeing);
      record_ = merged.record;
      out.set("status", report::mergeStatus(merged, language_));
      out.set("added", static_cast<double>(merged.added));
      out.set("disagree", !merged.disagreements.empty() && disagreeing == bt::Disagreeing::Ask);
    } catch (const bt::BacktestError& error) {
      out.set("status", report::locatedText(name, error.problem(), language_));
      out.set("error", true);
    }
    return out;
  }

  // The draw the grid's top row holds after the draw shift, joined as the next period or as the
  // correction of `lastTyped` (a period, "" for none): { kind, period, status }. `now` is the
  // device's clock in milliseconds since 1970 (UTC): the period is reckoned by the game's clock.
  val typed(const val& cells, double now, const std::string& lastTyped) {
    const int year = game::drawYear(static_cast<std::int64_t>(now));
    const engine::GridStrings grid = gridOf(cells);
    // The period as the page kept it; anything else (storage edited by hand) is no period.
    std::optional<std::uint64_t> last;
    std::uint64_t period = 0;
    const char* end = lastTyped.data() + lastTyped.size();
    if (const auto [at, ec] = std::from_chars(lastTyped.data(), end, period);
        ec == std::errc() && at == end) {
      last = period;
    }
    const bt::Typed typed = bt::typedDraw(engine::viewsOf(grid), record_.draws, year, last);
    constexpr const char* kKinds[] = {"none", "next", "known", "corrected", "disagrees",
                                      "takenBack"};
    val out = val::object();
    out.set("kind", std::string(kKinds[static_cast<int>(typed.kind)]));
    out.set("period", std::to_string(typed.draw.period));
    if (typed.kind == bt::TypedKind::Disagrees) {
      // Put to the player as any disagreement is: the draw as a line the record reads, to be
      // added with the player's choice.
      const bt::Merged asked = bt::mergeDraws(record_, {{typed.draw}}, bt::Disagreeing::Ask);
      out.set("status", report::mergeStatus(asked, language_));
      std::ostringstream line;
      report::writeRecordCsv(line, std::span<const bt::Draw>(&typed.draw, 1));
      out.set("line", line.str());
      return out;
    }
    if (typed.kind == bt::TypedKind::TakenBack) {
      record_.draws.pop_back();
      bt::noteGaps(record_.draws, record_.notes);
      out.set("status", report::typedStatus(typed, record_, language_));
    }
    if (typed.kind == bt::TypedKind::Next || typed.kind == bt::TypedKind::Corrected) {
      record_ = bt::mergeDraws(record_, {{typed.draw}}, bt::Disagreeing::TakeGiven).record;
      out.set("status", report::typedStatus(typed, record_, language_));
    }
    return out;
  }

  // The grid of the newest three draws, or null when the record does not end with three in a row.
  val grid() const {
    try {
      const engine::GridStrings cells = bt::latestGrid(record_);
      val out = val::array();
      for (const std::string& cell : cells) out.call<void>("push", cell);
      return out;
    } catch (const bt::BacktestError&) {
      return val::null();
    }
  }

  // The newest `count` draws that have a forecast, newest first, each with the forecast from the
  // three before it: { heading, rows: [{ period, draw, sum, cells: [{ name, text, hit }],
  // money: [texts] }], totals }. A cell's hit is 1 or 0, absent where the output made no call.
  val recent(int count) const {
    const std::size_t n = record_.draws.size();
    const std::size_t first =
        n > static_cast<std::size_t>(count) ? n - static_cast<std::size_t>(count) : 0;
    const std::vector<bt::Replayed> passes =
        bt::replayFrom(record_.draws, record_.notes.restarts, first, *game_);
    bt::Summary totals;
    val rows = val::array();
    for (auto pass = passes.rbegin(); pass != passes.rend(); ++pass) {
      totals.add(*pass);
      rows.call<void>("push", rowOf(*pass));
    }
    totals.finish();
    val out = val::object();
    out.set("heading", val::array(report::recentHeading(language_)));
    out.set("rows", rows);
    out.set("totals", rowsOf(report::recentTotals(totals, language_)));
    out.set("more", bt::replaysBefore(first, record_.notes.restarts));
    return out;
  }

  // The trend chart's view `view` (0 the sum, then each position's digit) of the newest
  // `periods` draws, 0 for the usual number: { periods, choices: [{ periods, label }], views:
  // [names], heading, header, rows: [{ period, drawn (the drawn value's column), cells (the
  // cells' texts, tab-separated, so that a hundred rows cross as a hundred strings) }], figures,
  // sentence }, every text the command line's.
  val trend(double periods, int view) const {
    const std::size_t shown =
        periods >= 1 ? static_cast<std::size_t>(periods) : bt::kTrendPeriods.front();
    val out = val::object();
    out.set("periods", static_cast<double>(shown));
    val choices = val::array();
    for (const std::size_t choice : bt::kTrendPeriods) {
      val entry = val::object();
      entry.set("periods", static_cast<double>(choice));
      entry.set("label", report::trendPeriodsChoice(choice, language_));
      choices.call<void>("push", entry);
    }
    out.set("choices", choices);
    val names = val::array();
    for (const bt::TrendView each : bt::kTrendViews) {
      names.call<void>("push", std::string(report::trendViewName(each, language_)));
    }
    out.set("views", names);
    const auto at = static_cast<std::size_t>(std::clamp(view, 0, static_cast<int>(bt::kTrendViews.size()) - 1));
    const bt::TrendChart chart = bt::trendChart(record_.draws, shown, bt::kTrendViews[at]);
    const std::vector<std::vector<std::string>> rows = report::trendRows(chart, language_);
    out.set("heading", report::trendHeading(chart, language_));
    out.set("header", val::array(rows.front()));
    val lines = val::array();
    for (std::size_t r = 0; r < chart.rows.size(); ++r) {
      std::string cells;
      for (std::size_t c = 1; c < rows[r + 1].size(); ++c) cells += (c > 1 ? "\t" : "") + rows[r + 1][c];
      val line = val::object();
      line.set("period", rows[r + 1].front());
      line.set("drawn", chart.rows[r].value);
      line.set("cells", cells);
      lines.call<void>("push", line);
    }
    out.set("rows", lines);
    out.set("figures", rowsOf(report::trendFigures(chart, language_)));
    out.set("sentence", report::trendSentence(chart, language_));
    return out;
  }

  // The draws since the verdict was fixed: { heading, rows, sentence }, or null for none.
  val laterDraws() const {
    if (!bt::hasLaterDraws(record_.draws, *game_)) return val::null();
    bt::BacktestOptions options = bt::backtestOptions({.shuffles = 0}, record_.notes);
    options.game = game_;
    const bt::BacktestResult result = bt::runBacktest(record_.draws, options);
    if (!result.laterDraws) return val::null();
    val out = val::object();
    out.set("heading", report::laterDrawsHeading(*result.laterDraws, language_));
    out.set("rows", rowsOf(report::laterDrawsTable(*result.laterDraws, language_)));
    out.set("sentence", report::laterDrawsSentence(result, language_));
    return out;
  }

 private:
  val rowOf(const bt::Replayed& pass) const {
    const bt::Draw& drawn = drawOf(pass.period);
    val cells = val::array();
    for (std::size_t i = 0; i < engine::kOutputs; ++i) {
      const engine::Output output = engine::kAllOutputs[i];
      val cell = val::object();
      cell.set("name", std::string(words::outputKey(output)));
      cell.set("text", pass.result.isWritten(output) ? trimmed(pass.result.text(output)) : "");
      if (pass.calls[i].made) cell.set("hit", pass.calls[i].hit ? 1 : 0);
      cells.call<void>("push", cell);
    }
    val money = val::array();
    for (std::size_t i = 0; i < engine::kLists; ++i) {
      const bt::Call& call = pass.calls[i];
      money.call<void>("push", report::recentMoney(call));
    }
    val row = val::object();
    row.set("period", std::to_string(pass.period));
    row.set("draw", std::to_string(drawn.digits[0]) + ' ' + std::to_string(drawn.digits[1]) + ' ' +
                        std::to_string(drawn.digits[2]));
    row.set("sum", std::to_string(pass.sum));
    row.set("cells", cells);
    row.set("money", money);
    return row;
  }

  const bt::Draw& drawOf(std::uint64_t period) const {
    return *std::lower_bound(record_.draws.begin(), record_.draws.end(), period,
                             [](const bt::Draw& d, std::uint64_t p) { return d.period < p; });
  }

  Language language_;
  const game::Game* game_;  // whose record this is: its prizes, its periods, its later draws
  bt::Record record_;
  std::string error_;
};

// Why a file of `bytes` bytes is too large to join the kept record; "" when it is not.
std::string fileSizeProblem(const std::string& name, double bytes, const std::string& tag) {
  if (bytes <= static_cast<double>(bt::kMaxKeptFileBytes)) return "";
  return report::locatedText(name, {bt::Fault::RecordTooLarge, 0, 0, bt::kMaxKeptFileBytes},
                             words::languageForTag(tag));
}

}  // namespace
}  // namespace quorvel::web

EMSCRIPTEN_BINDINGS(quorvel_record) {
  using namespace quorvel::web;
  emscripten::class_<KeptRecord>("KeptRecord")
      .constructor<const std::string&, const std::string&, const std::string&, const std::string&>()
      .function("error", &KeptRecord::error)
      .function("damaged", &KeptRecord::damaged)
      .function("csv", &KeptRecord::csv)
      .function("fileName", &KeptRecord::fileName)
      .function("status", &KeptRecord::status)
      .function("add", &KeptRecord::add)
      .function("typed", &KeptRecord::typed)
      .function("grid", &KeptRecord::grid)
      .function("recent", &KeptRecord::recent)
      .function("laterDraws", &KeptRecord::laterDraws)
      .function("trend", &KeptRecord::trend);
  emscripten::function("fileSizeProblem", &fileSizeProblem);
  emscripten::constant("recentStep", quorvel::report::kRecentStep);
}
