// quorvel-backtest: replays the forecast over past draws and tests it against chance.

#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/chart.h"
#include "quorvel/backtest/csv_rows.h"
#include "quorvel/backtest/draw_history.h"
#include "quorvel/backtest/json_report.h"
#include "quorvel/backtest/list_trace.h"
#include "quorvel/backtest/table_report.h"
#include "quorvel/cli/staged_file.h"
#include "quorvel/cli/standard_streams.h"
#include "quorvel/cli/unknown_option.h"
#include "quorvel/version.h"

namespace bt = quorvel::backtest;
namespace cli = quorvel::cli;

namespace {

constexpr const char* kProgram = "quorvel-backtest";
constexpr int kFailure = 1;
constexpr int kUsageError = 2;

// Ends the run with an exit status and, unless it is empty, a message on standard error.
struct Stop {
  int status;
  std::string message;
};

struct Options {
  std::string history, csv, chart;
  std::optional<std::uint64_t> simulate, shuffles;
  std::uint64_t seed = 1;
  unsigned threads = std::max(1U, std::thread::hardware_concurrency());
  bool json = false;
};

// A seed is written in plain digits and fits 64 bits.
const CLI::Validator kWholeNumber(
    [](std::string& text) -> std::string {
      std::uint64_t value = 0;
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
      if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return "Value " + text + " is not a whole number from 0 to 18446744073709551615";
      }
      return "";
    },
    "UINT64");

void describeOptions(CLI::App& app, Options& o) {
  auto* history = app.add_option("HISTORY.csv", o.history,
                                 "Past draws, oldest first: period,d1,d2,d3[,sum] a line; - reads "
                                 "standard input");
  auto* simulated =
      app.add_option("--simulate", o.simulate, "Replay N simulated uniform draws instead")
          ->check(CLI::Range(std::uint64_t{4}, std::uint64_t{1'000'000'000}));
  app.add_option("--seed", o.seed, "Seed of the simulated draws and of the shuffles (default 1)")
      ->check(kWholeNumber);
  app.add_option("--shuffles", o.shuffles,
                 "Shuffles of the record for the permutation test (default 1000 for a history, "
                 "0 with --simulate)")
      ->check(CLI::Range(std::uint64_t{0}, std::uint64_t{1'000'000}));
  app.add_option("--threads", o.threads, "Threads for the shuffles (default: every core)")
      ->check(CLI::Range(1U, 1024U));
  app.add_option("--csv", o.csv,
                 "Also write one row per replayed pass to FILE (- for standard "
                 "output; the report then goes to standard error)");
  app.add_option("--chart", o.chart, "Also draw the rolling hit rate of the lists as an SVG file");
  app.add_flag("--json", o.json, "Print the report as JSON instead of a table");
  history->excludes(simulated);
  app.set_version_flag("--version", std::string(kProgram) + " " + QUORVEL_VERSION,
                       "Print the program's name and version and exit");
}

// Step 1: the options. Help and version are printed here and end the run with status 0.
Options parseOptions(int argc, char** argv) {
  CLI::App app{
      "Replays the forecast over a history of draws: for every draw from the fourth on, the grid\n"
      "of the three draws before it is forecast and scored against it, beside what blind chance\n"
      "would score with the same calls. A permutation test then replays shuffles of the record\n"
      "to tell whether the order of the draws, which is all the forecast reads, helps it.",
      kProgram};
  Options options;
  describeOptions(app, options);
  const std::string unknown = cli::unknownOptionMessage(
      {argv + 1, static_cast<std::size_t>(argc - 1)}, cli::longOptionNames(app));
  if (!unknown.empty())
    throw Stop{kUsageError, unknown + "\nRun with --help for more information."};
  try {
    app.parse(argc, argv);
    if (options.history.empty() && !options.simulate) {
      throw CLI::RequiredError("HISTORY.csv or --simulate");
    }
  } catch (const CLI::ParseError& e) {
    throw Stop{app.exit(e) == 0 ? 0 : kUsageError, ""};
  }
  return options;
}

struct Outputs {
  std::unique_ptr<cli::StagedFile> csv, chart;
  std::ostream* rows = nullptr;    // where the CSV rows go, if anywhere
  std::ostream* report = nullptr;  // the table or JSON: standard error when the rows have stdout
};

// No output may overwrite the history it is made from, nor share its file with another output.
void refuseSharedFiles(const Options& o) {
  struct Named {
    std::string what, path;
  };
  std::vector<std::pair<Named, cli::FileIdentity>> seen;
  const auto add = [&](const std::string& what, const std::string& path) {
    if (path.empty() || path == "-") return;
    const std::optional<cli::FileIdentity> identity = cli::identify(path);
    if (!identity) return;  // opening it says why
    for (const auto& [earlier, other] : seen) {
      if (other == *identity) {
        throw Stop{kUsageError, what + " " + path + " is the same file as " + earlier.what + " " +
                                    earlier.path + "; give each its own file"};
      }
    }
    seen.push_back({{what, path}, *identity});
  };
  add("the history", o.history);
  add("--csv", o.csv);
  add("--chart", o.chart);
}

// Step 2: every output is checked and opened before the replay starts, so that a bad path fails
// at once, and is only put in place when the whole run succeeds.
Outputs openOutputs(const Options& o) {
  refuseSharedFiles(o);
  if (o.chart == "-") throw Stop{kFailure, "cannot write -: the chart needs a file"};
  Outputs outputs;
  const auto stage = [](const std::string& path) {
    try {
      return std::make_unique<cli::StagedFile>(path);
    } catch (const std::system_error& error) {
      throw Stop{kFailure, "cannot write " + path + ": " + error.code().message()};
    }
  };
  if (o.csv == "-") outputs.rows = &std::cout;
  if (!o.csv.empty() && o.csv != "-") {
    outputs.csv = stage(o.csv);
    outputs.rows = &outputs.csv->stream();
  }
  if (!o.chart.empty()) outputs.chart = stage(o.chart);
  outputs.report = o.csv == "-" ? &std::cerr : &std::cout;
  return outputs;
}

// Why a history cannot be read, in the system's words, or "" when it can. "-" is standard
// input, which may be closed or a folder.
std::string unreadable(const std::string& path) {
  const bool standardInput = path == "-";
  struct stat info {};
  if ((standardInput ? ::fstat(STDIN_FILENO, &info) : ::stat(path.c_str(), &info)) != 0) {
    return std::strerror(errno);
  }
  if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
  if (!standardInput && ::access(path.c_str(), R_OK) != 0) return std::strerror(errno);
  return "";
}

// Step 3: the history, from a file or from standard input ("-").
std::vector<bt::Draw> readHistoryFile(const std::string& path) {
  const bool standardInput = path == "-";
  const std::string name = standardInput ? "standard input" : path;
  if (const std::string why = unreadable(path); !why.empty()) {
    throw Stop{kFailure, "cannot read " + name + ": " + why};
  }
  std::ifstream file;
  if (!standardInput) file.open(path, std::ios::binary);
  std::istream& in = standardInput ? std::cin : file;
  std::vector<bt::Draw> draws;
  try {
    errno = 0;
    draws = bt::readHistory(in);
  } catch (const quorvel::LocatedError& error) {
    throw Stop{kFailure, name + ":" + error.what()};
  }
  if (in.bad() || (standardInput && std::ferror(stdin) != 0)) {
    throw Stop{kFailure, "cannot read " + name + ": " + std::strerror(errno != 0 ? errno : EIO)};
  }
  return draws;
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

// Progress on a terminal: "shuffled 120 of 1000", rewritten in place.
bt::Progress terminalProgress(std::uint64_t replays) {
  if (isatty(STDERR_FILENO) == 0) return {};
  return [replays](const char* phase, std::uint64_t done, std::uint64_t of) {
    std::cerr << '\r' << phase << ' ' << done << " of " << (of > 0 ? of : replays) << std::flush;
  };
}

// Whether standard output (and error, when it has the report) took it; finishOutput names the
// reason if not.
bool reportWritten(std::ostream& report) {
  report.flush();
  return cli::flushStandardOutput() && report;
}

// Step 4: the replay, its outputs and the report. The outputs replace their targets only when
// everything, the report included, was written.
int run(const Options& o, const std::vector<bt::Draw>& draws, Outputs& outputs) {
  const std::uint64_t count = o.simulate ? *o.simulate : draws.size();
  const std::uint64_t passes = count > 3 ? count - 3 : 0;  // every draw from the fourth on
  bt::BacktestOptions options;
  options.shuffles = o.shuffles.value_or(o.simulate ? 0 : 1000);
  options.seed = o.seed;
  options.threads = o.threads;
  std::optional<bt::ListTrace> trace;
  if (outputs.chart) trace.emplace(passes);
  if (outputs.rows) bt::writeCsvHeader(*outputs.rows);
  options.onReplay = [&](const bt::Replayed& replayed) {
    if (outputs.rows) bt::writeCsvRow(*outputs.rows, replayed);
    if (trace) trace->add(replayed);
  };
  const bt::Progress progress = terminalProgress(passes);
  bt::BacktestResult result;
  try {
    result = o.simulate ? bt::runBacktest(simulatedDraws(*o.simulate, o.seed), options, progress)
                        : bt::runBacktest(draws, options, progress);
  } catch (const std::invalid_argument& error) {
    if (progress) std::cerr << "\r\x1b[K";
    throw Stop{kFailure, error.what()};
  }
  if (progress) std::cerr << "\r\x1b[K" << std::flush;
  if (trace) bt::writeChart(outputs.chart->stream(), *trace);
  if (o.json) {
    bt::writeJson(*outputs.report, result);
  } else {
    bt::writeTable(*outputs.report, result);
  }
  if (!reportWritten(*outputs.report)) return kFailure;
  try {
    if (outputs.csv) outputs.csv->commit();
    if (outputs.chart) outputs.chart->commit();
  } catch (const std::system_error& error) {
    throw Stop{kFailure, "cannot write " + std::string(error.what())};
  }
  return 0;
}

int runProgram(int argc, char** argv) {
  try {
    const Options options = parseOptions(argc, argv);
    cli::removeStagedFilesOnSignal();
    Outputs outputs = openOutputs(options);
    const std::vector<bt::Draw> draws =
        options.simulate ? std::vector<bt::Draw>{} : readHistoryFile(options.history);
    return run(options, draws, outputs);
  } catch (const Stop& stop) {
    if (!stop.message.empty()) std::cerr << kProgram << ": " << stop.message << '\n';
    return stop.status;
  }
}

}  // namespace

int main(int argc, char** argv) {
  cli::prepareStandardStreams();
  return cli::finishOutput(kProgram, runProgram(argc, argv));
}
