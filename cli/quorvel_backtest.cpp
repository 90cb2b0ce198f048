// quorvel-backtest: replays the forecast over past draws and tests it against chance.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "backtest.h"
#include "draw_history.h"
#include "quorvel/version.h"
#include "report.h"

namespace bt = quorvel::backtest;

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

// An output file opened before any work starts, so that a bad path fails at once. "-" is
// standard output.
class OutputFile {
 public:
  bool open(const std::string& path) {
    if (path == "-") return true;
    file_ = std::make_unique<std::ofstream>();
    errno = 0;
    file_->open(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(*file_);
  }
  std::ostream& stream() { return file_ ? *file_ : std::cout; }

 private:
  std::unique_ptr<std::ofstream> file_;
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

// Why a history cannot be read, in the system's words, or "" when it can.
std::string unreadable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
  if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
  if (::access(path.c_str(), R_OK) != 0) return std::strerror(errno);
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Replays the forecast over a history of draws: for every draw from the fourth on, the grid\n"
      "of the three draws before it is forecast and scored against it, beside what blind chance\n"
      "would score with the same calls. A permutation test then replays shuffles of the record\n"
      "to tell whether the order of the draws, which is all the forecast reads, helps it.",
      "quorvel-backtest"};
  std::string historyFile, csvFile, chartFile;
  std::optional<std::uint64_t> simulate, shuffles;
  std::uint64_t seed = 1;
  unsigned threads = std::max(1U, std::thread::hardware_concurrency());
  bool json = false;
  auto* history = app.add_option("HISTORY.csv", historyFile,
                                 "Past draws, oldest first: period,d1,d2,d3[,sum] a line; - reads "
                                 "standard input");
  auto* simulated =
      app.add_option("--simulate", simulate, "Replay N simulated uniform draws instead")
          ->check(CLI::Range(std::uint64_t{4}, std::uint64_t{1'000'000'000}));
  app.add_option("--seed", seed, "Seed of the simulated draws and of the shuffles (default 1)")
      ->check(kWholeNumber);
  app.add_option("--shuffles", shuffles,
                 "Shuffles of the record for the permutation test (default 1000 for a history, "
                 "0 with --simulate)")
      ->check(CLI::Range(std::uint64_t{0}, std::uint64_t{1'000'000}));
  app.add_option("--threads", threads, "Threads for the shuffles (default: every core)")
      ->check(CLI::Range(1U, 1024U));
  app.add_option("--csv", csvFile,
                 "Also write one row per replayed pass to FILE (- for standard "
                 "output; the report then goes to standard error)");
  app.add_option("--chart", chartFile,
                 "Also draw the rolling hit rate of the lists as an SVG file");
  app.add_flag("--json", json, "Print the report as JSON instead of a table");
  history->excludes(simulated);
  app.set_version_flag("--version", "quorvel-backtest " QUORVEL_VERSION,
                       "Print the program's name and version and exit");
  try {
    app.parse(argc, argv);
    if (historyFile.empty() && !simulate) throw CLI::RequiredError("HISTORY.csv or --simulate");
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kUsageError;
  }

  // Every output is opened before the replay starts.
  OutputFile csv, chart;
  if (!csvFile.empty() && !csv.open(csvFile)) {
    std::cerr << "quorvel-backtest: cannot write " << csvFile << ": " << std::strerror(errno)
              << '\n';
    return kFailure;
  }
  if (!chartFile.empty() && (chartFile == "-" || !chart.open(chartFile))) {
    std::cerr << "quorvel-backtest: cannot write " << chartFile << ": "
              << (chartFile == "-" ? "the chart needs a file" : std::strerror(errno)) << '\n';
    return kFailure;
  }
  std::ostream& report = csvFile == "-" ? std::cerr : std::cout;  // the rows have stdout

  std::vector<bt::Draw> draws;
  if (!simulate) {
    const std::string name = historyFile == "-" ? "standard input" : historyFile;
    if (historyFile != "-") {
      if (const std::string why = unreadable(historyFile); !why.empty()) {
        std::cerr << "quorvel-backtest: cannot read " << historyFile << ": " << why << '\n';
        return kFailure;
      }
    }
    std::ifstream file;
    if (historyFile != "-") file.open(historyFile, std::ios::binary);
    std::istream& in = historyFile == "-" ? std::cin : file;
    try {
      draws = bt::readHistory(in);
    } catch (const quorvel::LocatedError& error) {
      std::cerr << "quorvel-backtest: " << name << ':' << error.what() << '\n';
      return kFailure;
    }
    if (in.bad()) {
      std::cerr << "quorvel-backtest: cannot read " << name << ": " << std::strerror(errno) << '\n';
      return kFailure;
    }
  }

  const std::uint64_t total = simulate ? *simulate : draws.size();
  bt::BacktestOptions options;
  options.shuffles = shuffles.value_or(simulate ? 0 : 1000);
  options.seed = seed;
  options.threads = threads;
  std::optional<bt::ListTrace> trace;
  if (!chartFile.empty()) trace.emplace(total > 3 ? total - 3 : 0);
  if (!csvFile.empty()) bt::writeCsvHeader(csv.stream());
  options.onReplay = [&](const bt::Replayed& replayed) {
    if (!csvFile.empty()) bt::writeCsvRow(csv.stream(), replayed);
    if (trace) trace->add(replayed);
  };
  const bool terminal = isatty(STDERR_FILENO) != 0;
  bt::Progress progress;
  if (terminal) {
    progress = [&](const char* phase, std::uint64_t done, std::uint64_t of) {
      std::cerr << '\r' << phase << ' ' << done << " of " << (of > 0 ? of : total - 3)
                << std::flush;
    };
  }

  bt::SimulatedDraws source(seed);
  std::size_t next = 0;
  bt::BacktestResult result;
  try {
    result = bt::runBacktest(
        [&](bt::Draw& draw) {
          if (simulate) {
            if (next == *simulate) return false;
            ++next;
            draw = source.next();
            return true;
          }
          if (next == draws.size()) return false;
          draw = draws[next++];
          return true;
        },
        options, progress);
  } catch (const std::invalid_argument& error) {
    if (terminal) std::cerr << "\r\x1b[K";
    std::cerr << "quorvel-backtest: " << error.what() << '\n';
    return kFailure;
  }
  if (terminal) std::cerr << "\r\x1b[K" << std::flush;

  if (trace) {
    bt::writeChart(chart.stream(), *trace);
    chart.stream().flush();
  }
  csv.stream().flush();
  if (!csv.stream() || (trace && !chart.stream())) {
    std::cerr << "quorvel-backtest: writing an output failed: " << std::strerror(errno) << '\n';
    return kFailure;
  }
  if (json) {
    bt::writeJson(report, result);
  } else {
    bt::writeTable(report, result);
  }
  return 0;
}
