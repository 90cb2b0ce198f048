// How often the backtest's verdict claims something where there is nothing to find, and whether it
// says the same whatever the seed: a simulation of the verdict's error rate, not a timed benchmark.
//
//   quorvel_verdict_simulation --records 300 --draws 7680 --shuffles 1000
//       fair records (uniform simulated draws): how many claim anything, with the binomial
//       interval of that share, beside the level;
//   quorvel_verdict_simulation --record data/draws-2004-2026.csv --seeds 40
//       one record under seeds 1...N: the claims shown and undecided under each, and whether
//       they are the same;
//   quorvel_verdict_simulation --together --records 300 --draws 7680 --shuffles 1000
//   quorvel_verdict_simulation --record data/draws-2004-2026.csv
//       --with data/pl3-draws-2004-2026.csv --seeds 40
//       the same for the claims tested on two records at once: pairs of fair records (the
//       second priced as 排列三), or the two records under seeds 1...N;
//   quorvel_verdict_simulation --strategies --records 300 --draws 7680 --shuffles 1000
//   quorvel_verdict_simulation --strategies --record data/draws-2004-2026.csv --seeds 40
//       the same for the strategies the trend chart suggests, as their own family.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <set>
#include <thread>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/records_together.h"
#include "quorvel/backtest/strategies.h"
#include "quorvel/backtest/simulated_draws.h"

namespace bt = quorvel::backtest;

namespace {

// The claims that stand as `standing` in `family`, by their place in it.
template <class Family>
std::set<std::size_t> standingAs(const Family& family, bt::Standing standing) {
  std::set<std::size_t> claims;
  for (std::size_t j = 0; j < family.claims.size(); ++j)
    if (family.claims[j].standing == standing) claims.insert(j);
  return claims;
}

// Whether the strategies are simulated instead of the forecast's claims.
bool strategies = false;

// The strategies' family on a record, its claims copied into the forecast's family's shape for
// the counting below: the six first, the rest standing at no evidence.
bt::FamilyTest strategiesVerdict(const std::vector<bt::Draw>& draws, std::uint64_t shuffles,
                                 std::uint64_t seed, const quorvel::game::Game& game) {
  const bt::StrategiesTest test = bt::testStrategies(draws, game, shuffles, seed);
  bt::FamilyTest family;
  std::copy(test.family.claims.begin(), test.family.claims.end(), family.claims.begin());
  return family;
}

unsigned threads() { return std::max(1U, std::thread::hardware_concurrency()); }

bt::BacktestOptions options(std::uint64_t shuffles, std::uint64_t seed,
                            const quorvel::game::Game& game = quorvel::game::kWelfare3D) {
  bt::BacktestOptions o;
  o.shuffles = shuffles;
  o.seed = seed;
  o.threads = threads();
  o.game = &game;
  return o;
}

// The family's verdict on one record, or with `with`, on both together.
bt::FamilyTest verdictOf(const std::vector<bt::Draw>& draws, const std::vector<bt::Draw>* with,
                         std::uint64_t shuffles, std::uint64_t seed) {
  if (strategies) return strategiesVerdict(draws, shuffles, seed, quorvel::game::kWelfare3D);
  const bt::BacktestResult result = bt::runBacktest(draws, options(shuffles, seed));
  if (with == nullptr) return result.family;
  const bt::BacktestResult other =
      bt::runBacktest(*with, options(shuffles, seed, quorvel::game::kSportsPick3));
  const std::array<bt::RecordInTest, 2> records = {{{draws, &result}, {*with, &other}}};
  return bt::testTogether(records, shuffles, threads()).family;
}

int fairRecords(int records, std::size_t draws, std::uint64_t shuffles, bool together) {
  int claiming = 0, undecided = 0;
  for (int r = 0; r < records; ++r) {
    const auto at = static_cast<std::uint64_t>(r);
    const std::vector<bt::Draw> record = bt::simulateHistory(draws, 5'000'000 + at);
    const std::vector<bt::Draw> other = bt::simulateHistory(draws, 9'000'000 + at);
    const bt::FamilyTest family = verdictOf(record, together ? &other : nullptr, shuffles, at + 1);
    claiming += !standingAs(family, bt::Standing::Shown).empty();
    undecided += !standingAs(family, bt::Standing::Undecided).empty();
  }
  const double share = static_cast<double>(claiming) / records;
  const double error = std::sqrt(share * (1 - share) / records);
  std::cout << records << (together ? " pairs of fair records of " : " fair records of ") << draws << " draws, " << shuffles
            << " shuffles each: " << claiming << " claim something (" << 100 * share << " %, "
            << "95 % interval " << 100 * std::max(0.0, share - 1.96 * error) << "-"
            << 100 * (share + 1.96 * error) << " %; the level is " << 100 * bt::kLevel << " %); "
            << undecided << " have an undecided claim\n";
  return claiming <= bt::kLevel * records + 3 * std::sqrt(records * bt::kLevel * (1 - bt::kLevel))
             ? 0
             : 1;
}

std::vector<bt::Draw> drawsOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return bt::readRecord(in).draws;
}

int seeds(const std::string& path, const std::string& with, std::uint64_t count,
          std::uint64_t shuffles) {
  const std::vector<bt::Draw> draws = drawsOf(path);
  const std::vector<bt::Draw> other = with.empty() ? std::vector<bt::Draw>{} : drawsOf(with);
  std::set<std::pair<std::set<std::size_t>, std::set<std::size_t>>> verdicts;
  for (std::uint64_t seed = 1; seed <= count; ++seed) {
    const bt::FamilyTest family = verdictOf(draws, with.empty() ? nullptr : &other, shuffles, seed);
    const auto shown = standingAs(family, bt::Standing::Shown);
    const auto undecided = standingAs(family, bt::Standing::Undecided);
    verdicts.insert({shown, undecided});
    std::cout << "seed " << seed << ": " << shown.size() << " shown, " << undecided.size()
              << " undecided; smallest adjusted p "
              << std::min_element(family.claims.begin(), family.claims.end(),
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
  std::string record, with;
  bool together = false;
  app.add_option("--records", records, "Fair records (or pairs of them) to simulate");
  app.add_flag("--together", together, "Simulate pairs of fair records, tested together");
  app.add_flag("--strategies", strategies, "The trend chart's strategies instead of the forecast");
  app.add_option("--with", with, "A second record, tested with --record together");
  app.add_option("--draws", draws, "Draws in each");
  app.add_option("--shuffles", shuffles, "Shuffles of each");
  app.add_option("--record", record, "A record to test under many seeds instead");
  app.add_option("--seeds", seedCount, "How many seeds, 1...N");
  CLI11_PARSE(app, argc, argv);
  return record.empty() ? fairRecords(records, draws, shuffles, together)
                        : seeds(record, with, seedCount, shuffles);
}
