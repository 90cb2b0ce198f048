// How often the backtest's verdict claims something where there is nothing to find, and whether it
// says the same whatever the seed: a simulation of the verdict's error rate, not a timed benchmark.
//
//   quorvel_verdict_simulation --records 300 --draws 7680 --shuffles 1000
//       fair records (uniform simulated draws): how many claim anything, with the binomial
//       interval of that share, beside the level;
//   quorvel_verdict_simulation --record data/draws-2004-2026.csv --seeds 40
//       one record under seeds 1...N: the claims shown and undecided under each, and whether
//       they are the same.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <set>
#include <thread>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/simulated_draws.h"

namespace bt = quorvel::backtest;

namespace {

// The claims that stand as `standing` in `result`, by their place in the family.
std::set<std::size_t> standingAs(const bt::BacktestResult& result, bt::Standing standing) {
  std::set<std::size_t> claims;
  for (std::size_t j = 0; j < bt::kClaims; ++j)
    if (result.family.claims[j].standing == standing) claims.insert(j);
  return claims;
}

bt::BacktestOptions options(std::uint64_t shuffles, std::uint64_t seed) {
  bt::BacktestOptions o;
  o.shuffles = shuffles;
  o.seed = seed;
  o.threads = std::max(1U, std::thread::hardware_concurrency());
  return o;
}

int fairRecords(int records, std::size_t draws, std::uint64_t shuffles) {
  int claiming = 0, undecided = 0;
  for (int r = 0; r < records; ++r) {
    const bt::BacktestResult result =
        bt::runBacktest(bt::simulateHistory(draws, 5'000'000 + static_cast<std::uint64_t>(r)),
                        options(shuffles, static_cast<std::uint64_t>(r) + 1));
    claiming += !standingAs(result, bt::Standing::Shown).empty();
    undecided += !standingAs(result, bt::Standing::Undecided).empty();
  }
  const double share = static_cast<double>(claiming) / records;
  const double error = std::sqrt(share * (1 - share) / records);
  std::cout << records << " fair records of " << draws << " draws, " << shuffles
            << " shuffles each: " << claiming << " claim something (" << 100 * share << " %, "
            << "95 % interval " << 100 * std::max(0.0, share - 1.96 * error) << "-"
            << 100 * (share + 1.96 * error) << " %; the level is " << 100 * bt::kLevel << " %); "
            << undecided << " have an undecided claim\n";
  return claiming <= bt::kLevel * records + 3 * std::sqrt(records * bt::kLevel * (1 - bt::kLevel))
             ? 0
             : 1;
}

int seeds(const std::string& path, std::uint64_t count, std::uint64_t shuffles) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<bt::Draw> draws = bt::readRecord(in).draws;
  std::set<std::pair<std::set<std::size_t>, std::set<std::size_t>>> verdicts;
  for (std::uint64_t seed = 1; seed <= count; ++seed) {
    const bt::BacktestResult result = bt::runBacktest(draws, options(shuffles, seed));
    const auto shown = standingAs(result, bt::Standing::Shown);
    const auto undecided = standingAs(result, bt::Standing::Undecided);
    verdicts.insert({shown, undecided});
    std::cout << "seed " << seed << ": " << shown.size() << " shown, " << undecided.size()
              << " undecided; smallest adjusted p "
              << std::min_element(result.family.claims.begin(), result.family.claims.end(),
                                  [](const auto& a, const auto& b) {
                                    return a.pValueAdjusted < b.pValueAdjusted;
                                  })
                     ->pValueAdjusted
              << '\n';
  }
  std::cout << (verdicts.size() == 1 ? "the same verdict under every seed\n"
                                     : "the verdict changes with the seed\n");
  return verdicts.size() == 1 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"The backtest's verdict on fair records, and under many seeds"};
  int records = 300;
  std::size_t draws = 7680;
  std::uint64_t shuffles = 1000, seedCount = 0;
  std::string record;
  app.add_option("--records", records, "Fair records to simulate");
  app.add_option("--draws", draws, "Draws in each");
  app.add_option("--shuffles", shuffles, "Shuffles of each");
  app.add_option("--record", record, "A record to test under many seeds instead");
  app.add_option("--seeds", seedCount, "How many seeds, 1...N");
  CLI11_PARSE(app, argc, argv);
  return record.empty() ? fairRecords(records, draws, shuffles)
                        : seeds(record, seedCount, shuffles);
}
