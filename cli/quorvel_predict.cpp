// quorvel-predict: the prediction pass on the command line, for one grid or a stream of them.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "quorvel/backtest/kept_record.h"
#include "quorvel/cli/forecast_json.h"
#include "quorvel/cli/game_option.h"
#include "quorvel/cli/located_error.h"
#include "quorvel/cli/record_file.h"
#include "quorvel/cli/screen_report.h"
#include "quorvel/cli/standard_streams.h"
#include "quorvel/cli/tsv_filter.h"
#include "quorvel/cli/unknown_option.h"
#include "quorvel/engine/prediction_pass.h"
#include "quorvel/presentation/forecast_view.h"
#include "quorvel/report/problem_text.h"
#include "quorvel/version.h"

namespace cli = quorvel::cli;
namespace engine = quorvel::engine;
namespace backtest = quorvel::backtest;
namespace game = quorvel::game;
namespace presentation = quorvel::presentation;
namespace report = quorvel::report;
namespace words = quorvel::words;

namespace {

constexpr const char* kProgram = "quorvel-predict";
constexpr int kUsageError = 2;

struct Options {
  bool tsv = false;
  bool json = false;
  std::string record;
  std::string game;
  std::vector<std::string> cells;
};

int usage(const std::string& message) {
  std::cerr << kProgram << ": " << message << '\n';
  return kUsageError;
}

// One grid: the outputs under their captions with what following each costs, or as JSON.
int predictOne(const Options& options) {
  engine::GridTexts texts;
  std::copy(options.cells.begin(), options.cells.end(), texts.begin());
  const presentation::ForecastView view =
      presentation::forecastView(texts, cli::gameOf(options.game), words::kWindowLanguage);
  std::cout << (options.json ? cli::forecastJson(view) : cli::screenReport(view));
  cli::flushStandardOutput();
  if (!view.failure.failed()) return 0;
  std::cerr << kProgram << ": " << view.failure.message << '\n';
  return 1;
}

// The grid of a record's newest three draws, as if they were typed, in place of the cells.
// Gives the exit status when the record cannot give one.
std::optional<int> cellsOfRecord(Options& options) {
  try {
    const engine::GridStrings cells = backtest::latestGrid(cli::readRecordFile(options.record));
    options.cells.assign(cells.begin(), cells.end());
    return std::nullopt;
  } catch (const backtest::BacktestError& error) {
    std::cerr << kProgram << ": "
              << report::locatedText(cli::recordName(options.record), error.problem(),
                                     cli::localeLanguage())
              << '\n';
  } catch (const std::system_error& error) {
    std::cerr << kProgram << ": " << error.what() << '\n';
  }
  return 1;
}

// A stream of grids from standard input, a result line for each.
int filterGrids() {
  try {
    cli::runFilter(STDIN_FILENO, STDOUT_FILENO);
  } catch (const cli::LocatedError& error) {
    return usage(std::string("standard input:") + error.what());
  } catch (const std::system_error& error) {
    std::cerr << kProgram << ": " << error.what() << '\n';
    return 1;
  }
  return 0;
}

// The options and cells, or the exit status when the run ends here: after --help or --version
// (0), or at a usage error (2).
std::optional<int> parseOptions(int argc, char** argv, Options& options) {
  CLI::App app{
      "Forecasts the next draw from the three latest periods.\n\n"
      "  quorvel-predict [--json] [--] CELL0 ... CELL11\n"
      "  quorvel-predict [--json] --record FILE\n"
      "  quorvel-predict --tsv < grids.tsv\n\n"
      "Give the twelve grid cells in order: the latest period's three digits and sum, then the\n"
      "previous period's, then the oldest's. Write an empty cell as \"\". Put -- before the cells\n"
      "when one of them could be read as an option.",
      kProgram};
  app.add_flag("--tsv", options.tsv,
               "Read one grid a line from standard input, twelve tab-separated fields with the "
               "escapes \\t \\n \\r \\\\, and write the eight outputs and the failure number "
               "(0, 6 or 9) a line");
  app.add_flag("--json", options.json,
               "Print one grid's outputs as JSON, each list with its chance of holding the next "
               "sum, its stake and its expected return, each call with its chance");
  app.add_option("--record", options.record,
                 "Forecast from the newest three draws of a record of draws (any form "
                 "quorvel-backtest reads; - reads standard input), as if typed into the grid");
  cli::addGameOption(app, options.game);
  app.footer("Example:\n  quorvel-predict 3 5 8 16 2 7 1 10 9 0 4 13\n"
             "  quorvel-predict --game pl3 --record pl3-draws.csv");
  app.set_version_flag("--version", std::string(kProgram) + " " QUORVEL_VERSION,
                       "Print the program's name and version and exit");
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kUsageError;
  }
  const std::string unknown = cli::unknownOptionMessage(
      {argv + 1, static_cast<std::size_t>(argc - 1)}, cli::longOptionNames(app));
  if (!unknown.empty()) return usage(unknown + "; put -- before a cell that starts with --");
  // Everything that is not an option is a cell; after a "--" everything is.
  options.cells = app.remaining();
  const auto separator = std::find(options.cells.begin(), options.cells.end(), "--");
  if (separator != options.cells.end()) options.cells.erase(separator);
  return std::nullopt;
}

int runProgram(int argc, char** argv) {
  Options options;
  if (const std::optional<int> status = parseOptions(argc, argv, options)) return *status;
  if (options.tsv) {
    if (options.json) return usage("--json is for one grid; --tsv writes its own lines");
    if (!options.cells.empty() || !options.record.empty()) {
      return usage("--tsv reads its grids from standard input and takes no cells or record");
    }
    return filterGrids();
  }
  if (!options.record.empty()) {
    if (!options.cells.empty()) return usage("--record gives the grid and takes no cells");
    if (const std::optional<int> status = cellsOfRecord(options)) return *status;
  }
  if (options.cells.size() != engine::kGridCells) {
    return usage("expected " + std::to_string(engine::kGridCells) + " cells, got " +
                 std::to_string(options.cells.size()) + "\nRun with --help for more information.");
  }
  return predictOne(options);
}

}  // namespace

int main(int argc, char** argv) {
  cli::prepareStandardStreams();
  return cli::finishOutput(kProgram, runProgram(argc, argv));
}
