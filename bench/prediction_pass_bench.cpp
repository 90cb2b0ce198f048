// Benchmarks of one prediction pass (the fast road and the rule-by-rule reference), of one TSV
// line, and of one replayed pass of the backtest, on realistic grids: three periods of uniform
// digits with their sums, as a user types them.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "quorvel/backtest/replay.h"
#include "quorvel/cli/tsv_codec.h"
#include "quorvel/engine/prediction_pass.h"
#include "quorvel/engine/reference_pass.h"
#include "quorvel/backtest/simulated_draws.h"

namespace engine = quorvel::engine;

namespace {

std::vector<std::array<std::string, engine::kGridCells>> realisticGrids(std::size_t count) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> digit(0, 9);
  std::vector<std::array<std::string, engine::kGridCells>> grids(count);
  for (auto& grid : grids) {
    for (std::size_t period = 0; period < 3; ++period) {
      int sum = 0;
      for (std::size_t k = 0; k < 3; ++k) {
        const int d = digit(random);
        sum += d;
        grid[4 * period + k] = std::to_string(d);
      }
      grid[4 * period + 3] = std::to_string(sum);
    }
  }
  return grids;
}

void FullPass(benchmark::State& state) {
  const auto grids = realisticGrids(1024);
  std::size_t i = 0;
  for (auto _ : state) {
    engine::PassResult result =
        engine::runPredictionPass(engine::viewsOf(grids[i++ % grids.size()]));
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(FullPass);

void ReferencePass(benchmark::State& state) {
  const auto grids = realisticGrids(1024);
  std::size_t i = 0;
  for (auto _ : state) {
    engine::PassResult result =
        engine::runReferencePass(engine::viewsOf(grids[i++ % grids.size()]));
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(ReferencePass);

void BacktestReplay(benchmark::State& state) {
  const std::vector<quorvel::backtest::Draw> draws = quorvel::backtest::simulateHistory(1027, 1);
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t t = 3 + i++ % (draws.size() - 3);
    quorvel::backtest::Replayed replayed =
        quorvel::backtest::replay(draws[t - 3], draws[t - 2], draws[t - 1], draws[t]);
    benchmark::DoNotOptimize(replayed);
  }
}
BENCHMARK(BacktestReplay);

void FullPassWithTexts(benchmark::State& state) {
  const auto grids = realisticGrids(1024);
  std::size_t i = 0;
  for (auto _ : state) {
    const engine::PassResult result =
        engine::runPredictionPass(engine::viewsOf(grids[i++ % grids.size()]));
    for (int box = 0; box < engine::kOutputs; ++box) {
      std::string text = result.text(static_cast<engine::Output>(box));
      benchmark::DoNotOptimize(text);
    }
  }
}
BENCHMARK(FullPassWithTexts);

void TsvLine(benchmark::State& state) {
  const auto grids = realisticGrids(1024);
  std::vector<std::string> lines;
  for (const auto& grid : grids) {
    std::string line;
    for (const std::string& cell : grid) line += cell + '\t';
    line.pop_back();
    lines.push_back(line);
  }
  engine::GridStrings decoded;
  engine::GridTexts fields;
  std::string out;
  std::size_t i = 0;
  for (auto _ : state) {
    out.clear();
    quorvel::cli::splitLine(lines[i % lines.size()], i + 1, decoded, fields);
    ++i;
    quorvel::cli::appendResultLine(out, engine::runPredictionPass(fields));
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(TsvLine);

}  // namespace

BENCHMARK_MAIN();
