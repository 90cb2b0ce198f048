// The page's way into the backtest: its settings checked, the record read and replayed as it is
// on the page's thread, the shuffles replayed in parts by its workers, and the report's texts,
// JSON and chart. It moves bytes and texts and holds no rule.

#include <emscripten/bind.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/audit_texts.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/chart.h"
#include "quorvel/backtest/json_report.h"
#include "quorvel/backtest/list_trace.h"
#include "quorvel/backtest/money_texts.h"
#include "quorvel/backtest/permutation_test.h"
#include "quorvel/backtest/report_texts.h"
#include "quorvel/backtest/section_texts.h"
#include "quorvel/backtest/settings.h"

namespace quorvel::web {
namespace {

namespace bt = backtest;
using emscripten::val;

// The bytes of a JavaScript Uint8Array, copied once.
std::string bytesOf(const val& array) {
  std::string bytes(array["length"].as<std::size_t>(), '\0');
  val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<void>("set", array);
  return bytes;
}

std::optional<std::string> textOf(const val& value) {
  if (value.isNull() || value.isUndefined()) return std::nullopt;
  return value.as<std::string>();
}

bt::Language languageOf(const std::string& tag) { return presentation::languageForTag(tag); }

// The seed the page's settings gave, as text (a 64-bit number does not fit a JavaScript number);
// the default for one that is not valid, which pageSettings has already said.
std::uint64_t seedOf(const std::string& seed) {
  return bt::validate({{}, seed, {}, {}}).settings.seed;
}

// The page's settings from its link (?seed=7&shuffles=5000; null for one not given), checked as
// the command line checks its options: { seed, shuffles, problem }, where a setting that is not
// valid gives its located reason, worded for the link, and the defaults are used.
val pageSettings(const val& seed, const val& shuffles, const std::string& tag) {
  const bt::Validated seeded = bt::validate({{}, textOf(seed), {}, {}});
  const bt::Validated shuffled = bt::validate({textOf(shuffles), {}, {}, {}});
  const bt::Settings defaults = bt::validate({}).settings;
  val out = val::object();
  out.set("seed", std::to_string(seeded.problem ? defaults.seed : seeded.settings.seed));
  out.set("shuffles",
          static_cast<double>(shuffled.problem ? defaults.shuffles : shuffled.settings.shuffles));
  std::string problem;
  if (seeded.problem) problem = bt::locatedText("seed", *seeded.problem, languageOf(tag));
  if (shuffled.problem && problem.empty()) {
    problem = bt::locatedText("shuffles", *shuffled.problem, languageOf(tag));
  }
  out.set("problem", problem);
  return out;
}

// Why a record of `bytes` bytes is too large to read, in the player's words; "" when it is not.
std::string recordSizeProblem(const std::string& name, double bytes, const std::string& tag) {
  if (bytes <= static_cast<double>(bt::kMaxRecordBytes)) return "";
  return bt::locatedText(name, {bt::Fault::RecordTooLarge, 0, 0, bt::kMaxRecordBytes},
                         languageOf(tag));
}

// A table of texts as an array of rows, each an array of its cells.
template <class Row>
val rowsOf(const std::vector<Row>& table) {
  val rows = val::array();
  for (const Row& row : table) {
    val cells = val::array();
    for (const std::string& cell : row) cells.call<void>("push", cell);
    rows.call<void>("push", cells);
  }
  return rows;
}

// One backtest of the page: made from the record's bytes, it replays the record as it is at once;
// the shuffles come in from the workers part by part, and the report is ready when all have.
class PageBacktest {
 public:
  PageBacktest(const val& bytes, const std::string& fileName, const std::string& seed,
               double shuffles, const std::string& tag)
      : language_(languageOf(tag)) {
    try {
      std::istringstream in(bytesOf(bytes));
      bt::RecordOrder order = bt::RecordOrder::OldestFirst;
      const std::vector<bt::Draw> draws = bt::readHistory(in, &order);
      trace_.emplace(bt::replayedPasses(draws.size()));
      bt::BacktestOptions options;
      options.recordOrder = order;
      options.seed = seedOf(seed);
      options.onReplay = [&](const bt::Replayed& replayed) { trace_->add(replayed); };
      result_ = bt::runBacktest(draws, options);
      tally_.emplace(bt::observedStatistics(result_), static_cast<std::uint64_t>(shuffles));
    } catch (const bt::BacktestError& error) {
      error_ = bt::locatedText(fileName, error.problem(), language_);
    }
  }

  std::string error() const { return error_; }

  // A worker's part of the shuffles, as replayShufflePart gave it.
  void addShuffles(const val& values) {
    const std::vector<double> numbers = emscripten::convertJSArrayToNumberVector<double>(values);
    for (std::size_t k = 0; k < numbers.size() / bt::kStatisticsValues; ++k) {
      tally_->add(bt::statisticsAt(numbers, k));
    }
  }

  // Ends the test once every shuffle has come in.
  void finish() { bt::testAgainstShuffles(*tally_, result_); }

  std::string json() const {
    std::ostringstream out;
    bt::writeJson(out, result_);
    return out.str();
  }
  std::string verdict() const { return bt::verdictSentence(result_, language_); }
  std::string orderNote() const { return std::string(bt::recordOrderNote(result_, language_)); }
  // The chart, drawn for a phone's width when `narrow`.
  std::string chart(bool narrow) const {
    std::ostringstream out;
    bt::writeChart(out, *trace_, language_, narrow ? bt::ChartWidth::Narrow : bt::ChartWidth::Wide);
    return out.str();
  }
  val table() const { return rowsOf(bt::reportTable(result_, language_)); }
  val powerTable() const { return rowsOf(bt::powerTable(result_, language_)); }
  val moneyTable() const { return rowsOf(bt::moneyTable(result_, language_)); }

 private:
  bt::Language language_;
  std::string error_;
  std::optional<bt::ListTrace> trace_;
  bt::BacktestResult result_;
  std::optional<bt::ShuffleTally> tally_;
};

// A worker's part: shuffles first ... first + count - 1 of the record, as a Float64Array that
// PageBacktest::addShuffles reads back. The page has read the record already.
val replayShufflePart(const val& bytes, const std::string& seed, double first, double count) {
  std::istringstream in(bytesOf(bytes));
  const std::vector<bt::Draw> draws = bt::readHistory(in);
  const std::vector<bt::ReplayStatistics> part = bt::replayShuffles(
      draws, seedOf(seed), {static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(count)},
      1, {});
  std::vector<double> numbers;
  numbers.reserve(bt::kStatisticsValues * part.size());
  for (const bt::ReplayStatistics& statistics : part) bt::appendValues(statistics, numbers);
  val out = val::global("Float64Array").new_(numbers.size());
  out.call<void>("set", val(emscripten::typed_memory_view(numbers.size(), numbers.data())));
  return out;
}

// The audit of a record: { error } when it cannot be read, else { sentence, rows }, in the
// player's language.
val auditRecord(const val& bytes, const std::string& fileName, const std::string& tag) {
  val out = val::object();
  try {
    std::istringstream in(bytesOf(bytes));
    const bt::Audit audit = bt::auditRecord(bt::readHistory(in));
    out.set("sentence", bt::auditSentence(audit, languageOf(tag)));
    out.set("rows", rowsOf(bt::auditTable(audit, languageOf(tag))));
  } catch (const bt::BacktestError& error) {
    out.set("error", bt::locatedText(fileName, error.problem(), languageOf(tag)));
  }
  return out;
}

// The section's fixed words in the player's language, by the names SectionTexts gives them.
val sectionTexts(const std::string& tag) {
  const bt::SectionTexts& texts = bt::sectionTexts(languageOf(tag));
  val out = val::object();
  const std::pair<const char*, std::string_view> named[] = {{"title", texts.title},
                                                            {"about", texts.about},
                                                            {"run", texts.run},
                                                            {"choose", texts.choose},
                                                            {"shipped", texts.shipped},
                                                            {"format", texts.format},
                                                            {"cancel", texts.cancel},
                                                            {"cancelled", texts.cancelled},
                                                            {"failed", texts.failed},
                                                            {"unreadable", texts.unreadable},
                                                            {"save", texts.save},
                                                            {"reproduce", texts.reproduce},
                                                            {"chartTitle", texts.chartTitle},
                                                            {"tableLabel", texts.tableLabel},
                                                            {"scrollHint", texts.scrollHint},
                                                            {"moneyLabel", texts.moneyLabel},
                                                            {"audit", texts.audit},
                                                            {"auditLabel", texts.auditLabel},
                                                            {"powerLabel", texts.powerLabel}};
  for (const auto& [name, text] : named) out.set(name, std::string(text));
  out.set("powerNote", bt::powerNote(languageOf(tag)));
  out.set("lang", std::string(presentation::languageTag(languageOf(tag))));
  return out;
}

std::string recordLine(const std::string& name, double shuffles, const std::string& seed,
                       const std::string& tag) {
  return bt::recordLine(name, static_cast<std::uint64_t>(shuffles), seedOf(seed), languageOf(tag));
}

std::string progressLine(double done, double total, const std::string& tag) {
  return bt::progressLine(static_cast<std::uint64_t>(done), static_cast<std::uint64_t>(total),
                          languageOf(tag));
}

std::string tookText(double milliseconds, const std::string& tag) {
  return bt::tookText(milliseconds, languageOf(tag));
}

std::string commandLine(const std::string& name, double shuffles, const std::string& seed) {
  return bt::commandLine(name, static_cast<std::uint64_t>(shuffles), seedOf(seed));
}

}  // namespace
}  // namespace quorvel::web

EMSCRIPTEN_BINDINGS(quorvel_backtest) {
  using quorvel::web::PageBacktest;
  emscripten::class_<PageBacktest>("PageBacktest")
      .constructor<const emscripten::val&, const std::string&, const std::string&, double,
                   const std::string&>()
      .function("error", &PageBacktest::error)
      .function("addShuffles", &PageBacktest::addShuffles)
      .function("finish", &PageBacktest::finish)
      .function("json", &PageBacktest::json)
      .function("verdict", &PageBacktest::verdict)
      .function("orderNote", &PageBacktest::orderNote)
      .function("chart", &PageBacktest::chart)
      .function("table", &PageBacktest::table)
      .function("moneyTable", &PageBacktest::moneyTable)
      .function("powerTable", &PageBacktest::powerTable);
  emscripten::function("pageSettings", &quorvel::web::pageSettings);
  emscripten::function("recordSizeProblem", &quorvel::web::recordSizeProblem);
  emscripten::function("replayShufflePart", &quorvel::web::replayShufflePart);
  emscripten::function("auditRecord", &quorvel::web::auditRecord);
  emscripten::function("sectionTexts", &quorvel::web::sectionTexts);
  emscripten::function("recordLine", &quorvel::web::recordLine);
  emscripten::function("progressLine", &quorvel::web::progressLine);
  emscripten::function("tookText", &quorvel::web::tookText);
  emscripten::function("commandLine", &quorvel::web::commandLine);
}
