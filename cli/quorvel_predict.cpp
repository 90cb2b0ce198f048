// quorvel-predict: the prediction pass on the command line, for one grid or a stream of them.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "quorvel/cli/located_error.h"
#include "quorvel/cli/screen_report.h"
#include "quorvel/cli/standard_streams.h"
#include "quorvel/cli/tsv_filter.h"
#include "quorvel/cli/unknown_option.h"
#include "quorvel/engine/prediction_pass.h"
#include "quorvel/presentation/failure_report.h"
#include "quorvel/version.h"

namespace {

constexpr const char* kProgram = "quorvel-predict";
constexpr int kUsageError = 2;

int predictOne(const std::vector<std::string>& cells) {
  quorvel::engine::GridTexts texts;
  std::copy(cells.begin(), cells.end(), texts.begin());
  const quorvel::engine::PassResult result = quorvel::engine::runPredictionPass(texts);
  std::cout << quorvel::cli::screenReport(result);
  quorvel::cli::flushStandardOutput();
  if (result.failure == quorvel::engine::Failure::None) return 0;
  std::cerr << "quorvel-predict: "
            << quorvel::presentation::failureMessage(result.failure, result.cause, texts) << '\n';
  return 1;
}

int runProgram(int argc, char** argv) {
  CLI::App app{
      "Forecasts the next draw from the three latest periods.\n\n"
      "  quorvel-predict [--] CELL0 ... CELL11\n"
      "  quorvel-predict --tsv < grids.tsv\n\n"
      "Give the twelve grid cells in order: the latest period's three digits and sum, then the\n"
      "previous period's, then the oldest's. Write an empty cell as \"\". Put -- before the cells\n"
      "when one of them could be read as an option.",
      "quorvel-predict"};
  bool tsv = false;
  app.add_flag("--tsv", tsv,
               "Read one grid a line from standard input, twelve tab-separated fields with the "
               "escapes \\t \\n \\r \\\\, and write the eight outputs and the failure number "
               "(0, 6 or 9) a line");
  app.footer("Example:\n  quorvel-predict 3 5 8 16 2 7 1 10 9 0 4 13");
  app.set_version_flag("--version", "quorvel-predict " QUORVEL_VERSION,
                       "Print the program's name and version and exit");
  app.allow_extras();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kUsageError;
  }

  // Everything that is not an option is a cell; after a "--" everything is.
  std::vector<std::string> cells = app.remaining();
  const std::string unknown = quorvel::cli::unknownOptionMessage(
      {argv + 1, static_cast<std::size_t>(argc - 1)}, quorvel::cli::longOptionNames(app));
  if (!unknown.empty()) {
    std::cerr << "quorvel-predict: " << unknown << "; put -- before a cell that starts with --\n";
    return kUsageError;
  }
  const auto separator = std::find(cells.begin(), cells.end(), "--");
  if (separator != cells.end()) cells.erase(separator);

  if (tsv) {
    if (!cells.empty()) {
      std::cerr
          << "quorvel-predict: --tsv reads its grids from standard input and takes no cells\n";
      return kUsageError;
    }
    try {
      quorvel::cli::runFilter(STDIN_FILENO, STDOUT_FILENO);
    } catch (const quorvel::cli::LocatedError& error) {
      std::cerr << "quorvel-predict: standard input:" << error.what() << '\n';
      return kUsageError;
    } catch (const std::system_error& error) {
      std::cerr << "quorvel-predict: " << error.what() << '\n';
      return 1;
    }
    return 0;
  }
  if (cells.size() != quorvel::engine::kGridCells) {
    std::cerr << "quorvel-predict: expected " << quorvel::engine::kGridCells << " cells, got "
              << cells.size() << "\nRun with --help for more information.\n";
    return kUsageError;
  }
  return predictOne(cells);
}

}  // namespace

int main(int argc, char** argv) {
  quorvel::cli::prepareStandardStreams();
  return quorvel::cli::finishOutput(kProgram, runProgram(argc, argv));
}
