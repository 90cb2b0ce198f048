// The workers' way into the backtest, a module the page loads only when a player asks for a test:
// the record read once and replayed as it is, its digits handed on to the workers that replay the
// shuffles, and the report in the player's words. It moves bytes, numbers and texts and holds no
// rule.

#include <emscripten/bind.h>

#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "js_values.h"
#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/list_trace.h"
#include "quorvel/backtest/shuffles.h"
#include "quorvel/game/draw.h"
#include "quorvel/game/game.h"
#include "quorvel/report/audit_texts.h"
#include "quorvel/report/page_report.h"
#include "quorvel/report/problem_text.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/records_together.h"
#include "quorvel/report/verdict_texts.h"
#include "quorvel/report/strategy_texts.h"
#include "quorvel/backtest/strategies.h"
#include "settings_value.h"
#include "shuffle_values.h"

namespace quorvel::web {
namespace {

namespace bt = backtest;
using emscripten::val;
using words::Language;

// A new JavaScript typed array of `Type` holding a copy of `values`.
template <class Value>
val typedArray(const char* type, const std::vector<Value>& values) {
  val out = val::global(type).new_(values.size());
  out.call<void>("set", val(emscripten::typed_memory_view(values.size(), values.data())));
  return out;
}

// One backtest of the page, in a worker: made from the record's bytes, it reads them once and
// replays the record as it is; the shuffles come in part by part from the other workers, and the
// report is made when all have.
class RecordBacktest {
 public:
  RecordBacktest(const val& bytes, const std::string& fileName, const SettingsValue& settings,
                 const std::string& tag)
      : language_(words::languageForTag(tag)), jsonName_(report::reportFileName(fileName)) {
    try {
      JsBytesBuffer buffer(bytes);
      std::istream in(&buffer);
      const bt::Record record = bt::readRecord(in, buffer.size());
      const std::vector<bt::Draw>& draws = record.draws;
      trace_.emplace(bt::replayedPasses(draws.size(), record.notes.restarts));
      // The shuffles run in the page's workers, a part each, and are tallied here.
      bt::BacktestOptions options =
          bt::backtestOptions({.shuffles = 0, .seed = settings.seed}, record.notes);
      options.game = &game::gameOrFirst(settings.game);
      restarts_ = record.notes.restarts;
      options.onReplay = [&](const bt::Replayed& replayed) { trace_->add(replayed); };
      result_ = bt::runBacktest(draws, options);
      asked_ = settings.shuffles;
      tally_.plan(asked_);
      digits_ = packedDigits(draws);
    } catch (const bt::BacktestError& error) {
      error_ = report::locatedText(fileName, error.problem(), language_);
    }
  }

  std::string error() const { return error_; }
  double draws() const { return static_cast<double>(digits_.size() / game::kDigitsDrawn); }
  // How many workers may replay its shuffles side by side within the memory they may share.
  double affordableWorkers() const {
    return static_cast<double>(bt::affordableReplays(digits_.size() / game::kDigitsDrawn));
  }

  // The record's digits, three a draw, oldest first, and the places where its replay starts again
  // after a gap: what the workers that replay its shuffles need.
  val digits() const { return typedArray("Uint8Array", digits_); }
  val restarts() const {
    std::vector<double> places(restarts_.begin(), restarts_.end());
    return typedArray("Float64Array", places);
  }

  // A worker's part of the shuffles, from shuffle `first` on, as ShuffleReplayer::replay gave it.
  // "" when the part was taken, else why the tally refused it (a shuffle that came twice or was
  // never planned), which ends the run.
  std::string addShuffles(double first, const val& part) {
    const std::vector<double> values = emscripten::convertJSArrayToNumberVector<double>(part);
    try {
      for (std::size_t k = 0; k < values.size() / kStatisticsValues; ++k) {
        tally_.add(static_cast<std::uint64_t>(first) + k, statisticsAt(values, k));
      }
    } catch (const std::invalid_argument& refused) {
      return refused.what();
    }
    return {};
  }

  // Tests the record against the shuffles in so far: { failed } when a planned one is missing.
  // While a claim is borderline and more are allowed, { more }: how many more shuffles to replay, from the next one on. Else the report in
  // the player's words, as the Report of messages.d.ts lists it, the chart drawn for a phone's
  // width when `narrow`.
  val finish(bool narrow) {
    val out = val::object();
    try {
      bt::testAgainstShuffles(tally_, result_, asked_);
    } catch (const std::logic_error& incomplete) {
      out.set("failed", std::string(incomplete.what()));
      return out;
    }
    if (const std::uint64_t more = bt::moreShuffles(result_, asked_); more > 0) {
      tally_.plan(tally_.planned() + more);
      out.set("more", static_cast<double>(more));
      return out;
    }
    const report::PageReport page = report::pageReport(
        result_, *trace_, language_, narrow ? report::ChartWidth::Narrow : report::ChartWidth::Wide);
    out.set("headline", page.answer.headline);
    out.set("figure", page.answer.figure);
    out.set("figureCaption", page.answer.figureCaption);
    out.set("beside", page.answer.beside);
    out.set("verdict", page.verdict);
    out.set("orderNote", page.orderNote);
    out.set("claims", rowsOf(page.claims));
    out.set("money", rowsOf(page.money));
    out.set("table", rowsOf(page.table));
    out.set("power", rowsOf(page.power));
    out.set("powerHeading", page.powerHeading);
    out.set("powerNote", page.powerNote);
    out.set("chart", page.chart);
    out.set("json", page.json);
    out.set("jsonName", jsonName_);
    return out;
  }

 private:
  static std::vector<std::uint8_t> packedDigits(const std::vector<bt::Draw>& draws) {
    std::vector<std::uint8_t> digits;
    digits.reserve(game::kDigitsDrawn * draws.size());
    for (const bt::Draw& draw : draws) {
      for (const int digit : draw.digits) digits.push_back(static_cast<std::uint8_t>(digit));
    }
    return digits;
  }

  Language language_;
  std::string jsonName_;  // the name its JSON report is saved under
  std::string error_;
  std::optional<bt::ListTrace> trace_;
  bt::BacktestResult result_;
  bt::ShuffleTally tally_;
  std::uint64_t asked_ = 0;
  std::vector<std::size_t> restarts_;
  std::vector<std::uint8_t> digits_;
};

// A worker's share of the shuffles: the record's digits kept once, any range replayed from them.
class ShuffleReplayer {
 public:
  ShuffleReplayer(const val& digits, const val& restarts, const SettingsValue& settings)
      : replays_(bt::ShuffledReplays::fromDigits(
            emscripten::convertJSArrayToNumberVector<std::uint8_t>(digits),
            emscripten::convertJSArrayToNumberVector<std::size_t>(restarts),
            game::gameOrFirst(settings.game))),
        seed_(settings.seed) {}

  // Shuffles first ... first + count - 1, as a Float64Array that RecordBacktest::addShuffles
  // reads back.
  val replay(double first, double count) const {
    const std::vector<bt::ReplayStatistics> part = replays_.replay(
        seed_, {static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(count)}, 1, {});
    std::vector<double> values;
    values.reserve(kStatisticsValues * part.size());
    for (const bt::ReplayStatistics& statistics : part) appendValues(statistics, values);
    return typedArray("Float64Array", values);
  }

 private:
  bt::ShuffledReplays replays_;
  std::uint64_t seed_;
};

// The audit of a record: { error } when it cannot be read, else { sentence, rows }, in the
// player's language.
val auditRecord(const val& bytes, const std::string& fileName, const std::string& tag) {
  const Language language = words::languageForTag(tag);
  val out = val::object();
  try {
    JsBytesBuffer buffer(bytes);
    std::istream in(&buffer);
    const bt::Audit audit = bt::auditRecord(bt::readRecord(in, buffer.size()).draws);
    out.set("sentence", report::auditSentence(audit, language));
    out.set("rows", rowsOf(report::auditTable(audit, language)));
  } catch (const bt::BacktestError& error) {
    out.set("error", report::locatedText(fileName, error.problem(), language));
  }
  return out;
}

// The forecast's claims tested on several records at once, each a game's, in one worker:
// records is [{ bytes, name, game }]. { error } when one cannot be read, else { alone: [each
// record's own verdict], sentence, claims: rows }, in the player's language.
val recordsTogether(const val& records, const SettingsValue& settings, const std::string& tag) {
  const Language language = words::languageForTag(tag);
  const auto count = records["length"].as<std::size_t>();
  std::vector<bt::Record> read(count);
  std::vector<bt::BacktestResult> results(count);
  val out = val::object();
  for (std::size_t i = 0; i < count; ++i) {
    const val record = records[i];
    const auto name = record["name"].as<std::string>();
    try {
      JsBytesBuffer buffer(record["bytes"]);
      std::istream in(&buffer);
      read[i] = bt::readRecord(in, buffer.size());
      bt::BacktestOptions options = bt::backtestOptions(
          {.shuffles = settings.shuffles, .seed = settings.seed}, read[i].notes);
      options.game = &game::gameOrFirst(record["game"].as<std::string>());
      results[i] = bt::runBacktest(read[i].draws, options);
    } catch (const bt::BacktestError& error) {
      out.set("error", report::locatedText(name, error.problem(), language));
      return out;
    }
  }
  std::vector<bt::RecordInTest> tested;
  std::vector<const bt::BacktestResult*> each;
  val alone = val::array();
  for (std::size_t i = 0; i < count; ++i) {
    tested.push_back({read[i].draws, &results[i]});
    each.push_back(&results[i]);
    alone.call<void>("push", report::aloneSentence(results[i], language));
  }
  const bt::TogetherTest together = bt::testTogether(tested, settings.shuffles, 1);
  out.set("alone", alone);
  out.set("sentence", report::togetherSentence(together, each, language));
  out.set("claims", rowsOf(report::claimsTable(together.family, together.shuffles, language)));
  return out;
}

// The strategies a trend chart suggests, replayed over a game's record and tested on its
// shuffles, in a worker: { error } when the record cannot be read, else { sentence, rows }.
val strategiesOf(const val& bytes, const std::string& fileName, const SettingsValue& settings,
                 const std::string& tag) {
  const Language language = words::languageForTag(tag);
  val out = val::object();
  try {
    JsBytesBuffer buffer(bytes);
    std::istream in(&buffer);
    const bt::Record record = bt::readRecord(in, buffer.size());
    const bt::StrategiesTest test = bt::testStrategies(
        record.draws, game::gameOrFirst(settings.game), settings.shuffles, settings.seed);
    out.set("sentence", report::strategiesSentence(test, language));
    out.set("rows", rowsOf(report::strategiesTable(test, language)));
  } catch (const bt::BacktestError& error) {
    out.set("error", report::locatedText(fileName, error.problem(), language));
  }
  return out;
}

}  // namespace
}  // namespace quorvel::web

EMSCRIPTEN_BINDINGS(quorvel_backtest) {
  using namespace quorvel::web;
  bindSettingsValue();
  emscripten::class_<RecordBacktest>("RecordBacktest")
      .constructor<const emscripten::val&, const std::string&, const SettingsValue&,
                   const std::string&>()
      .function("error", &RecordBacktest::error)
      .function("draws", &RecordBacktest::draws)
      .function("affordableWorkers", &RecordBacktest::affordableWorkers)
      .function("digits", &RecordBacktest::digits)
      .function("restarts", &RecordBacktest::restarts)
      .function("addShuffles", &RecordBacktest::addShuffles)
      .function("finish", &RecordBacktest::finish);
  emscripten::class_<ShuffleReplayer>("ShuffleReplayer")
      .constructor<const emscripten::val&, const emscripten::val&, const SettingsValue&>()
      .function("replay", &ShuffleReplayer::replay);
  emscripten::function("auditRecord", &auditRecord);
  emscripten::function("testTogether", &recordsTogether);
  emscripten::function("testStrategies", &strategiesOf);
}
