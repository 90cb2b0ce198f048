// quorvel-backtest: replays the forecast over past draws and scores it against blind chance.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "backtest/draw_history.h"
#include "backtest/replay.h"
#include "backtest/report.h"

namespace bt = quorvel::backtest;

int main(int argc, char** argv) {
  CLI::App app{
      "Replays the forecast over a history of draws: for every draw from the fourth on, the grid\n"
      "of the three draws before it is forecast and scored against it, beside what blind chance\n"
      "would score with the same calls.",
      "quorvel-backtest"};
  std::string historyFile, csvFile, chartFile;
  std::optional<std::size_t> simulate;
  std::uint64_t seed = 1;
  bool json = false;
  auto* history = app.add_option("HISTORY.csv", historyFile,
                                 "Past draws, oldest first: period,d1,d2,d3[,sum] a line");
  auto* simulated =
      app.add_option("--simulate", simulate, "Replay N simulated uniform draws instead");
  app.add_option("--seed", seed, "Seed of the simulated draws (default 1)");
  app.add_option("--csv", csvFile, "Also write one row per replayed pass to FILE");
  app.add_option("--chart", chartFile,
                 "Also draw the rolling hit rate of the lists as an SVG file");
  app.add_flag("--json", json, "Print the summary as JSON instead of a table");
  history->excludes(simulated);
  try {
    app.parse(argc, argv);
    if (historyFile.empty() && !simulate) throw CLI::RequiredError("HISTORY.csv or --simulate");
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : 2;
  }

  std::vector<bt::Draw> draws;
  if (simulate) {
    draws = bt::simulateHistory(*simulate, seed);
  } else {
    std::ifstream in(historyFile, std::ios::binary);
    if (!in) {
      std::cerr << "quorvel-backtest: cannot read " << historyFile << '\n';
      return 1;
    }
    try {
      draws = bt::readHistory(in);
    } catch (const quorvel::LocatedError& error) {
      std::cerr << "quorvel-backtest: " << historyFile << ':' << error.what() << '\n';
      return 1;
    }
  }
  if (draws.size() < 4) {
    std::cerr << "quorvel-backtest: need at least four draws, found " << draws.size() << '\n';
    return 1;
  }

  std::unique_ptr<std::ofstream> csv;
  if (!csvFile.empty()) {
    csv = std::make_unique<std::ofstream>(csvFile);
    if (!*csv) {
      std::cerr << "quorvel-backtest: cannot write " << csvFile << '\n';
      return 1;
    }
    bt::writeCsvHeader(*csv);
  }
  const bool progress = isatty(STDERR_FILENO) != 0;
  bt::Summary summary;
  bt::ListTrace trace;
  for (std::size_t t = 3; t < draws.size(); ++t) {
    const bt::Replayed replayed = bt::replay(draws[t - 3], draws[t - 2], draws[t - 1], draws[t]);
    summary.add(replayed);
    if (csv) bt::writeCsvRow(*csv, replayed);
    if (!chartFile.empty()) trace.add(replayed);
    if (progress && t % 65536 == 0)
      std::cerr << "\rreplayed " << t << " of " << draws.size() - 3 << std::flush;
  }
  if (progress) std::cerr << "\r\x1b[K" << std::flush;
  summary.finish();

  if (!chartFile.empty()) {
    std::ofstream chart(chartFile);
    bt::writeChart(chart, trace);
    if (!chart) {
      std::cerr << "quorvel-backtest: cannot write " << chartFile << '\n';
      return 1;
    }
  }
  if (json) {
    bt::writeJson(std::cout, summary);
  } else {
    bt::writeTable(std::cout, summary);
  }
  return 0;
}
