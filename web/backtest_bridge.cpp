// The page's way into the backtest: the record read and replayed as it is on the page's thread,
// the shuffles replayed in parts by its workers, and the report's texts, JSON and chart. It moves
// bytes and texts and holds no rule.

#include <emscripten/bind.h>

#include <charconv>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/chart.h"
#include "quorvel/backtest/json_report.h"
#include "quorvel/backtest/list_trace.h"
#include "quorvel/backtest/permutation_test.h"
#include "quorvel/backtest/report_texts.h"

namespace {

namespace bt = quorvel::backtest;
using emscripten::val;

constexpr double kMaxShuffles = 1'000'000;  // as many as quorvel-backtest takes

// The bytes of a JavaScript Uint8Array, copied once.
std::string bytesOf(const val& array) {
  std::string bytes(array["length"].as<std::size_t>(), '\0');
  val(emscripten::typed_memory_view(bytes.size(), bytes.data())).call<void>("set", array);
  return bytes;
}

bt::Language languageOf(const std::string& code) {
  return code.starts_with("zh") ? bt::Language::Chinese : bt::Language::English;
}

// A seed as the command line takes it: a whole number 0...2^64-1; nothing for anything else.
std::optional<std::uint64_t> seedOf(const std::string& text) {
  std::uint64_t seed = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return seed;
}

// A history's draws, or its fault worded in `language`.
struct ReadHistory {
  std::vector<bt::Draw> draws;
  std::string error;
};

ReadHistory readHistory(const std::string& bytes, const std::string& fileName,
                        bt::Language language) {
  ReadHistory read;
  std::istringstream in(bytes);
  try {
    read.draws = bt::readHistory(in);
  } catch (const bt::HistoryError& error) {
    read.error = bt::locatedText(fileName, error, language);
    return read;
  }
  if (read.draws.size() < bt::kMinimumDraws) {
    const std::string what =
        bt::problemText({bt::HistoryFault::TooFewDraws, read.draws.size()}, language);
    read.error = fileName + (language == bt::Language::Chinese ? "：" : ": ") + what;
  }
  return read;
}

// One backtest of the page: made from the record's bytes, it replays the record as it is at once;
// the shuffles come in from the workers part by part, and the report is ready when all have.
class PageBacktest {
 public:
  PageBacktest(const val& bytes, const std::string& fileName, const std::string& seed,
               double shuffles, const std::string& language)
      : language_(languageOf(language)) {
    const std::optional<std::uint64_t> parsedSeed = seedOf(seed);
    if (!parsedSeed) {
      error_ = language_ == bt::Language::Chinese ? "种子应为非负整数：" + seed
                                                  : "the seed is not a whole number: " + seed;
      return;
    }
    ReadHistory read = readHistory(bytesOf(bytes), fileName, language_);
    if (!read.error.empty()) {
      error_ = read.error;
      return;
    }
    trace_.emplace(read.draws.size() - 3);
    bt::BacktestOptions options;
    options.seed = *parsedSeed;
    options.onReplay = [&](const bt::Replayed& replayed) { trace_->add(replayed); };
    result_ = bt::runBacktest(read.draws, options);
    shuffled_.resize(shuffles >= 1 && shuffles <= kMaxShuffles ? static_cast<std::size_t>(shuffles)
                                                                : 0);
  }

  std::string error() const { return error_; }

  // Shuffles first... of a worker's part: eight excess values, then eight pattern counts, each.
  void addShuffles(double first, const val& values) {
    const std::vector<double> numbers = emscripten::convertJSArrayToNumberVector<double>(values);
    for (std::size_t k = 0; 16 * (k + 1) <= numbers.size(); ++k) {
      bt::ReplayStatistics& statistics = shuffled_.at(static_cast<std::size_t>(first) + k);
      for (std::size_t i = 0; i < quorvel::kOutputs; ++i) {
        statistics.excessThousandths[i] = static_cast<std::int64_t>(numbers[16 * k + i]);
        statistics.patterns[i] = static_cast<std::int64_t>(numbers[16 * k + 8 + i]);
      }
    }
  }

  // Ends the test once every shuffle has come in.
  void finish() { bt::testAgainstShuffles(shuffled_, result_); }

  std::string json() const {
    std::ostringstream out;
    bt::writeJson(out, result_);
    return out.str();
  }
  std::string verdict() const { return bt::verdictSentence(result_, language_); }
  std::string chart() const {
    if (!trace_) return {};
    std::ostringstream out;
    bt::writeChart(out, *trace_, language_);
    return out.str();
  }
  val table() const {
    val rows = val::array();
    for (const bt::ReportRow& row : bt::reportTable(result_, language_)) {
      val cells = val::array();
      for (const std::string& cell : row) cells.call<void>("push", cell);
      rows.call<void>("push", cells);
    }
    return rows;
  }

 private:
  bt::Language language_;
  std::string error_;
  std::optional<bt::ListTrace> trace_;
  bt::BacktestResult result_;
  std::vector<bt::ReplayStatistics> shuffled_;
};

// A worker's part: shuffles first ... first + count - 1 of the record, as a Float64Array of
// sixteen numbers a shuffle (see addShuffles). The page has read the record already.
val replayShufflePart(const val& bytes, const std::string& seed, double first, double count) {
  std::istringstream in(bytesOf(bytes));
  const std::vector<bt::Draw> draws = bt::readHistory(in);
  const std::vector<bt::ReplayStatistics> part =
      bt::replayShuffles(draws, seedOf(seed).value_or(0),
                         {static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(count)},
                         1, {});
  std::vector<double> numbers;
  numbers.reserve(16 * part.size());
  for (const bt::ReplayStatistics& statistics : part) {
    for (const std::int64_t value : statistics.excessThousandths)
      numbers.push_back(static_cast<double>(value));
    for (const std::int64_t value : statistics.patterns)
      numbers.push_back(static_cast<double>(value));
  }
  val out = val::global("Float64Array").new_(numbers.size());
  out.call<void>("set", val(emscripten::typed_memory_view(numbers.size(), numbers.data())));
  return out;
}

}  // namespace

EMSCRIPTEN_BINDINGS(quorvel_backtest) {
  emscripten::class_<PageBacktest>("PageBacktest")
      .constructor<const val&, const std::string&, const std::string&, double, const std::string&>()
      .function("error", &PageBacktest::error)
      .function("addShuffles", &PageBacktest::addShuffles)
      .function("finish", &PageBacktest::finish)
      .function("json", &PageBacktest::json)
      .function("verdict", &PageBacktest::verdict)
      .function("chart", &PageBacktest::chart)
      .function("table", &PageBacktest::table);
  emscripten::function("replayShufflePart", &replayShufflePart);
}
