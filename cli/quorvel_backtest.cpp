// quorvel-backtest: replays the forecast over past draws and tests it against chance.

#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/records_together.h"
#include "quorvel/backtest/list_trace.h"
#include "quorvel/backtest/settings.h"
#include "quorvel/backtest/strategies.h"
#include "quorvel/backtest/trend_chart.h"
#include "quorvel/report/trend_texts.h"
#include "quorvel/cli/game_option.h"
#include "quorvel/cli/record_file.h"
#include "quorvel/cli/staged_file.h"
#include "quorvel/cli/standard_streams.h"
#include "quorvel/cli/unknown_option.h"
#include "quorvel/report/chart.h"
#include "quorvel/report/csv_rows.h"
#include "quorvel/report/json_report.h"
#include "quorvel/report/problem_text.h"
#include "quorvel/report/table_report.h"
#include "quorvel/version.h"
#include "quorvel/backtest/simulated_draws.h"

namespace bt = quorvel::backtest;
namespace cli = quorvel::cli;
namespace report = quorvel::report;

namespace {

constexpr const char* kProgram = "quorvel-backtest";
constexpr int kFailure = 1;
constexpr int kUsageError = 2;

struct Options {
  std::string history, csv, chart;
  std::string with, withGame;  // another record, tested beside this one and with it
  bt::SettingTexts settings;  // read and checked by the backtest's own readSettings
  bool json = false;
  bool audit = false;
  std::optional<std::size_t> trend;  // the periods of the trend chart, when asked for
  std::string game;
};

// Writes "quorvel-backtest: MESSAGE" to standard error and gives `status`.
int fail(int status, const std::string& message) {
  std::cerr << kProgram << ": " << message << '\n';
  return status;
}

void describeOptions(CLI::App& app, Options& o) {
  const std::string n = std::to_string(bt::kMaxShuffles);
  auto* history = app.add_option("HISTORY.csv", o.history,
                                 "Past draws, oldest or newest first, a draw a line: its period, "
                                 "perhaps a date, its digits (3,5,8 or 358 or 3 5 8) and perhaps "
                                 "its sum, split by commas, tabs or spaces, under a header or "
                                 "not; - reads standard input. Without it, the game's own record "
                                 "as Quorvel ships it");
  auto* simulated = app.add_option("--simulate", o.settings.simulated,
                                   "Replay N simulated uniform draws instead (" +
                                       std::to_string(bt::kMinimumDraws) + " to " +
                                       std::to_string(bt::kMaxSimulatedDraws) + ")");
  app.add_option("--seed", o.settings.seed,
                 "Seed of the simulated draws and of the shuffles (a whole number, default " +
                     std::to_string(bt::kDefaultSeed) + ")");
  app.add_option("--shuffles", o.settings.shuffles,
                 "Shuffles of the record for the permutation test (0 to " + n + "; default " +
                     std::to_string(bt::kRecordShuffles) + " for a history, 0 with --simulate)");
  app.add_option("--threads", o.settings.threads,
                 "Threads for the shuffles (1 to " + std::to_string(bt::kMaxThreads) +
                     "; default: every core)");
  app.add_option("--csv", o.csv,
                 "Also write one row per replayed pass to FILE (- for standard "
                 "output; the report then goes to standard error)");
  app.add_option("--chart", o.chart,
                 "Also draw the lists' rolling hit rate and running return rate as an SVG file");
  app.add_flag("--json", o.json, "Print the report as JSON instead of a table");
  cli::addGameOption(app, o.game);
  auto* with = app.add_option("--with", o.with,
                              "Also backtest another game's record of draws (- reads standard "
                              "input) and test the claims on both records at once, each "
                              "shuffled within itself");
  auto* withGame = cli::addGameOption(
      app, o.withGame, "--with-game",
      "The game of the --with record, by default the other game; alone, it takes that game's "
      "record as Quorvel ships it");
  with->excludes(simulated);
  withGame->excludes(simulated);
  app.add_option("--trend", o.trend,
                 "Also show the trend chart (走势图) of the newest N periods (default " +
                     std::to_string(bt::kTrendPeriods.front()) +
                     "; 50 and 100 are usual): each value's gaps, and its counts and gaps beside "
                     "chance's")
      ->expected(0, 1)
      ->default_str(std::to_string(bt::kTrendPeriods.front()))
      ->check(CLI::Range(std::size_t{1}, std::size_t{1000}))
      ->excludes(simulated);
  app.add_flag("--audit", o.audit,
               "Also test the record itself: whether its draws look like independent, fair "
               "draws (digits, sums, consecutive draws, gaps, runs)");
  history->excludes(simulated);
  app.set_version_flag("--version", std::string(kProgram) + " " + QUORVEL_VERSION,
                       "Print the program's name and version and exit");
}

// Step 1: the options. Gives the exit status when the run ends here: after --help or --version
// (0), or at a usage error (2).
std::optional<int> parseOptions(int argc, char** argv, Options& options) {
  CLI::App app{
      "Replays the forecast over a history of draws: for every draw from the fourth on, the grid\n"
      "of the three draws before it is forecast and scored against it, beside what blind chance\n"
      "would score with the same calls. A permutation test then replays shuffles of the record\n"
      "to tell whether the order of the draws, which is all the forecast reads, helps it.",
      kProgram};
  describeOptions(app, options);
  const std::string unknown = cli::unknownOptionMessage(
      {argv + 1, static_cast<std::size_t>(argc - 1)}, cli::longOptionNames(app));
  if (!unknown.empty())
    return fail(kUsageError, unknown + "\nRun with --help for more information.");
  try {
    app.parse(argc, argv);
    if (!options.with.empty() && options.withGame.empty()) {
      options.withGame = std::string(cli::otherGame(options.game).id);
    }
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kUsageError;
  }
  return std::nullopt;
}

// The option that holds a setting the backtest refused.
std::string optionOf(bt::Fault fault) {
  switch (fault) {
    case bt::Fault::Shuffles:
      return "--shuffles";
    case bt::Fault::Seed:
      return "--seed";
    case bt::Fault::Simulated:
      return "--simulate";
    default:
      return "--threads";
  }
}

struct Outputs {
  std::unique_ptr<cli::StagedFile> csv, chart;
  std::ostream* rows = nullptr;    // where the CSV rows go, if anywhere
  std::ostream* report = nullptr;  // the table or JSON: standard error when the rows have stdout
};

// Why one output would overwrite the history it is made from, or share its file with another
// output; "" when none does.
std::string sharedFile(const Options& o) {
  struct Named {
    std::string what, path;
    cli::FileIdentity identity;
  };
  std::vector<Named> seen;
  const std::pair<std::string, std::string> files[] = {
      {"the history", o.history}, {"--with", o.with}, {"--csv", o.csv}, {"--chart", o.chart}};
  for (const auto& [what, path] : files) {
    if (path.empty() || path == "-") continue;
    const std::optional<cli::FileIdentity> identity = cli::identify(path);
    if (!identity) continue;  // opening it says why
    for (const Named& earlier : seen) {
      if (earlier.identity == *identity) {
        return what + " " + path + " is the same file as " + earlier.what + " " + earlier.path +
               "; give each its own file";
      }
    }
    seen.push_back({what, path, *identity});
  }
  return "";
}

// Step 2: every output is opened before the replay starts, so that a bad path fails at once, and
// is only put in place when the whole run succeeds. Throws std::system_error.
Outputs openOutputs(const Options& o) {
  Outputs outputs;
  if (o.csv == "-") outputs.rows = &std::cout;
  if (!o.csv.empty() && o.csv != "-") {
    outputs.csv = std::make_unique<cli::StagedFile>(o.csv);
    outputs.rows = &outputs.csv->stream();
  }
  if (!o.chart.empty()) outputs.chart = std::make_unique<cli::StagedFile>(o.chart);
  outputs.report = o.csv == "-" ? &std::cerr : &std::cout;
  return outputs;
}

// Simulated draws, made as they are replayed.
std::function<bool(bt::Draw&)> simulatedDraws(std::uint64_t count, std::uint64_t seed) {
  return [source = bt::SimulatedDraws(seed), left = count](bt::Draw& draw) mutable {
    if (left == 0) return false;
    --left;
    draw = source.next();
    return true;
  };
}

// The draws `next` yields, each also handed to `audit` when there is one.
std::function<bool(bt::Draw&)> audited(std::function<bool(bt::Draw&)> next,
                                       bt::RecordAudit* audit) {
  if (audit == nullptr) return next;
  return [next = std::move(next), audit](bt::Draw& draw) {
    if (!next(draw)) return false;
    audit->add(draw);
    return true;
  };
}

// Progress on a terminal: "shuffled 120 of 1000", rewritten in place, and wiped when done.
class TerminalProgress {
 public:
  explicit TerminalProgress(std::uint64_t passes)
      : passes_(passes), shown_(isatty(STDERR_FILENO) != 0) {}
  ~TerminalProgress() {
    if (shown_) std::cerr << "\r\x1b[K" << std::flush;
  }
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  bt::Progress report() const {
    if (!shown_) return {};
    return [passes = passes_](const char* phase, std::uint64_t done, std::uint64_t of) {
      std::cerr << '\r' << phase << ' ' << done << " of " << (of > 0 ? of : passes) << std::flush;
    };
  }

 private:
  std::uint64_t passes_;
  bool shown_;
};

// A fault in the --with record, named as its own.
struct OtherRecordError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The other record, its own backtest and the claims tested on both records together.
struct Together {
  bt::Record record;
  bt::BacktestResult result;
  bt::TogetherTest test;
};

// The record --with names, or the shipped record of --with-game's game; backtested as this one
// is and tested with it. Throws BacktestError, named as the other record's, and
// std::system_error.
Together testedTogether(const Options& o, const bt::Settings& settings, const bt::Record& record,
                        const bt::BacktestResult& result) {
  const quorvel::game::Game& game = cli::gameOf(o.withGame);
  const std::string path = o.with.empty() ? cli::shippedRecordPath(game) : o.with;
  Together together;
  try {
    together.record = cli::readRecordFile(path);
    bt::BacktestOptions options = bt::backtestOptions(settings, together.record.notes);
    options.game = &game;
    const TerminalProgress progress(
        bt::replayedPasses(together.record.draws.size(), together.record.notes.restarts));
    together.result = bt::runBacktest(together.record.draws, options, progress.report());
    const std::array<bt::RecordInTest, 2> records = {
        {{record.draws, &result}, {together.record.draws, &together.result}}};
    together.test =
        bt::testTogether(records, settings.shuffles, settings.threads, progress.report());
  } catch (const bt::BacktestError& error) {
    throw OtherRecordError(report::locatedText(cli::recordName(path), error.problem(),
                                               cli::localeLanguage()));
  }
  return together;
}

// Whether standard output (and error, when it has the report) took it; finishOutput names the
// reason if not.
bool reportWritten(std::ostream& report) {
  report.flush();
  return cli::flushStandardOutput() && report;
}

// Step 4: the replay, its outputs and the report. The outputs replace their targets only when
// everything, the report included, was written. Throws BacktestError and std::system_error.
int run(const Options& o, const bt::Settings& settings, const bt::Record& record,
        Outputs& outputs) {
  const std::vector<bt::Draw>& draws = record.draws;
  const std::uint64_t passes = settings.simulated
                                   ? bt::replayedPasses(*settings.simulated)
                                   : bt::replayedPasses(draws.size(), record.notes.restarts);
  bt::BacktestOptions options = bt::backtestOptions(settings, record.notes);
  options.game = &cli::gameOf(o.game);
  std::optional<bt::ListTrace> trace;
  if (outputs.chart) trace.emplace(passes);
  if (outputs.rows) report::writeCsvHeader(*outputs.rows);
  options.onReplay = [&](const bt::Replayed& replayed) {
    if (outputs.rows) report::writeCsvRow(*outputs.rows, replayed);
    if (trace) trace->add(replayed);
  };
  bt::RecordAudit audit(settings.simulated.value_or(draws.size()));
  bt::BacktestResult result;
  {
    const TerminalProgress progress(passes);
    result = settings.simulated
                 ? bt::runBacktest(audited(simulatedDraws(*settings.simulated, settings.seed),
                                           o.audit ? &audit : nullptr),
                                   options, progress.report())
                 : bt::runBacktest(draws, options, progress.report());
  }
  if (o.audit && !settings.simulated) {
    for (const bt::Draw& draw : draws) audit.add(draw);
  }
  const std::optional<bt::Audit> audited = o.audit ? std::optional(audit.finish()) : std::nullopt;
  const std::optional<Together> together =
      o.withGame.empty() ? std::nullopt : std::optional(testedTogether(o, settings, record, result));
  // The report points at the other record's result where it now lies.
  const std::optional<report::TestedTogether> tested =
      together ? std::optional(report::TestedTogether{&together->result, together->test})
               : std::nullopt;
  const report::TestedTogether* both = tested ? &*tested : nullptr;
  const std::optional<report::TrendReport> trend =
      o.trend ? std::optional(report::TrendReport{
                    bt::trendCharts(draws, *o.trend),
                    bt::testStrategies(draws, *options.game, settings.shuffles, settings.seed)})
              : std::nullopt;
  const report::TrendReport* charts = trend ? &*trend : nullptr;
  if (trace) report::writeChart(outputs.chart->stream(), *trace, cli::localeLanguage());
  if (o.json) {
    report::writeJson(*outputs.report, result, audited ? &*audited : nullptr, both, charts);
  } else {
    report::writeTable(*outputs.report, result, cli::localeLanguage(),
                       audited ? &*audited : nullptr, both, charts);
  }
  if (!reportWritten(*outputs.report)) return kFailure;
  if (outputs.csv) outputs.csv->commit();
  if (outputs.chart) outputs.chart->commit();
  return 0;
}

int runProgram(int argc, char** argv) {
  Options options;
  if (const std::optional<int> status = parseOptions(argc, argv, options)) return *status;
  const bt::SettingsRead valid =
      bt::readSettings(options.settings, std::max(1U, std::thread::hardware_concurrency()));
  if (valid.problem) {
    return fail(kUsageError, report::locatedText(optionOf(valid.problem->fault), *valid.problem,
                                                 cli::localeLanguage()));
  }
  if (options.history.empty() && !valid.settings.simulated) {
    options.history = cli::shippedRecordPath(cli::gameOf(options.game));
  }
  if (const std::string shared = sharedFile(options); !shared.empty()) {
    return fail(kUsageError, shared);
  }
  if (options.chart == "-") return fail(kFailure, "cannot write -: the chart needs a file");
  cli::removeStagedFilesOnSignal();
  try {
    Outputs outputs = openOutputs(options);
    const bt::Record record =
        valid.settings.simulated ? bt::Record{} : cli::readRecordFile(options.history);
    return run(options, valid.settings, record, outputs);
  } catch (const bt::BacktestError& error) {
    return fail(kFailure, report::locatedText(cli::recordName(options.history), error.problem(),
                                              cli::localeLanguage()));
  } catch (const std::system_error& error) {
    return fail(kFailure, error.what());
  } catch (const OtherRecordError& error) {
    return fail(kFailure, error.what());
  }
}

}  // namespace

int main(int argc, char** argv) {
  cli::prepareStandardStreams();
  return cli::finishOutput(kProgram, runProgram(argc, argv));
}
