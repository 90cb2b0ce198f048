// Reading a record of two million draws, as the command line and the page read a player's file:
// the canonical form with a header, and a copied form (tabs, a date with its weekday, the digits
// together, newest first). A program, not a timed test: build it at two commits and run the two
// side by side, interleaved, to compare; valgrind --tool=callgrind counts its instructions, which
// the machine's noise does not change.

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <string>

#include "quorvel/backtest/record_reader.h"

namespace {

// `count` uniform draws, periods of seven digits that run 350 to a block, in one of two forms.
std::string recordText(std::size_t count, bool copied) {
  std::mt19937 random(20261210);
  std::string text = copied ? "期号\t开奖日期\t开奖号码\n" : "period,d1,d2,d3,sum\n";
  std::vector<std::string> lines;
  lines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t year = 3000 + i / 350, within = 1 + i % 350;  // no calendar year
    const std::string period = std::to_string(year * 1000 + within);
    const int a = static_cast<int>(random() % 10), b = static_cast<int>(random() % 10),
              c = static_cast<int>(random() % 10);
    const std::string d = std::to_string(a) + (copied ? "" : ",") + std::to_string(b) +
                          (copied ? "" : ",") + std::to_string(c);
    lines.push_back(copied ? period + "\t2026-06-19(五)\t" + d
                           : period + "," + d + "," + std::to_string(a + b + c));
  }
  if (copied) std::reverse(lines.begin(), lines.end());
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

void readTwoMillion(benchmark::State& state, bool copied) {
  const std::string text = recordText(2'000'000, copied);
  for (auto _ : state) {
    std::istringstream in(text);
    benchmark::DoNotOptimize(quorvel::backtest::readRecord(in, text.size()).draws.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(text.size()));
}

void BM_ReadCanonicalRecord(benchmark::State& state) { readTwoMillion(state, false); }
void BM_ReadCopiedRecord(benchmark::State& state) { readTwoMillion(state, true); }
BENCHMARK(BM_ReadCanonicalRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCopiedRecord)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
