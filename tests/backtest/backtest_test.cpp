#include "quorvel/backtest/backtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "quorvel/engine/prediction_pass.h"
#include "quorvel/game/game.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {
namespace {

// An independent scorer: it reads the boxes' texts as a user would and works out the chances by
// counting digit triples, sharing nothing with the library but the pass itself.
struct Independent {
  std::array<long long, engine::kOutputs> calls{}, hits{}, noCalls{}, chance{};
  // Betting every sum of each list: yuan staked and won, and the average return of those bets
  // over all thousand draws, in thousandths of a yuan.
  std::array<long long, engine::kLists> staked{}, won{}, expectedMills{};
  std::array<std::string, engine::kOutputs> sequence;  // H and M, no calls left out
  // Every call in order: whether it hit, and the digit triples of a thousand it holds for.
  std::array<std::vector<std::pair<bool, long long>>, engine::kOutputs> each;
  std::map<std::string, long long> triplesOf;  // by box text, counted once
  // How a list is bet: 3D's sum play, 2 yuan a sum at its table's prize, or 排列三's, which buys
  // every straight number of each sum at 2 yuan and pays 1040 for the one drawn.
  bool straightNumbers = false;

  bool holds(const std::string& verdict, int sum) const {
    const int r12 = sum % 12;
    if (verdict == "中边：中") return sum >= 7 && sum <= 20;
    if (verdict == "中边：边") return sum < 7 || sum > 20;
    if (verdict == "大小：大") return sum > 13;
    if (verdict == "大小：小") return sum < 14;
    if (verdict == "单双：双") return sum % 2 == 0;
    if (verdict == "单双：单") return sum % 2 == 1;
    if (verdict == "前后：前肖") return r12 >= 10 || r12 <= 3;
    if (verdict == "前后：后肖") return r12 >= 4 && r12 <= 9;
    if (verdict == "3N：3０") return sum % 3 == 0;
    if (verdict == "3N：3１") return sum % 3 == 1;
    if (verdict == "3N：3２") return sum % 3 == 2;
    ADD_FAILURE() << "unknown verdict " << verdict;
    return false;
  }

  void score(const std::vector<Draw>& draws) {
    for (std::size_t t = 3; t < draws.size(); ++t) {
      engine::GridStrings cells;
      for (int p = 0; p < 3; ++p) {
        const Draw& d = draws[t - 1 - static_cast<std::size_t>(p)];
        for (int k = 0; k < 3; ++k)
          cells[static_cast<std::size_t>(4 * p + k)] = std::to_string(d.digits[k]);
        cells[static_cast<std::size_t>(4 * p + 3)] =
            std::to_string(d.digits[0] + d.digits[1] + d.digits[2]);
      }
      const engine::PassResult result = engine::runPredictionPass(engine::viewsOf(cells));
      const int sum = draws[t].digits[0] + draws[t].digits[1] + draws[t].digits[2];
      for (std::size_t i = 0; i < engine::kOutputs; ++i) {
        const auto box = static_cast<engine::Output>(i);
        if (!result.isWritten(box)) continue;
        const std::string text = result.text(box);
        bool hit = false;
        long long triples = 0;
        if (i < 3) {
          std::istringstream listed(text);
          std::vector<int> sums;
          for (int s; listed >> s;) sums.push_back(s);
          hit = std::find(sums.begin(), sums.end(), sum) != sums.end();
          const auto prize = [&](int s) {
            return straightNumbers ? 1040 : game::kWelfare3D.sumBet.prize(s);
          };
          won[i] += hit ? prize(sum) : 0;
          for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b)
              for (int c = 0; c < 10; ++c)
                if (std::find(sums.begin(), sums.end(), a + b + c) != sums.end()) {
                  expectedMills[i] += prize(a + b + c);
                  staked[i] += straightNumbers ? 2 : 0;  // one straight number
                }
          if (!straightNumbers) staked[i] += 2 * static_cast<long long>(sums.size());
          auto [known, fresh] = triplesOf.try_emplace(text, 0);
          for (int a = 0; fresh && a < 10; ++a)
            for (int b = 0; b < 10; ++b)
              for (int c = 0; c < 10; ++c)
                known->second += std::find(sums.begin(), sums.end(), a + b + c) != sums.end();
          triples = known->second;
        } else {
          if (text == "无") {
            ++noCalls[i];
            continue;
          }
          hit = holds(text, sum);
          auto [known, fresh] = triplesOf.try_emplace(text, 0);
          for (int a = 0; fresh && a < 10; ++a)
            for (int b = 0; b < 10; ++b)
              for (int c = 0; c < 10; ++c) known->second += holds(text, a + b + c);
          triples = known->second;
        }
        ++calls[i];
        hits[i] += hit;
        chance[i] += triples;
        sequence[i] += hit ? 'H' : 'M';
        each[i].emplace_back(hit, triples);
      }
    }
  }

  // Runs of H and M as lengths, then the pattern looked for pair by pair.
  static long long patterns(const std::string& s) {
    std::vector<std::pair<char, int>> runs;
    for (char c : s) {
      if (runs.empty() || runs.back().first != c) runs.push_back({c, 0});
      ++runs.back().second;
    }
    long long n = 0;
    for (std::size_t r = 1; r < runs.size(); ++r) {
      n += runs[r].first == 'M' && runs[r].second <= 2 && runs[r - 1].second >= 4 &&
           runs[r - 1].second <= 5;
    }
    return n;
  }
};

BacktestResult runOn(const std::vector<Draw>& draws, const BacktestOptions& options = {}) {
  std::size_t next = 0;
  return runBacktest(
      [&](Draw& draw) { return next < draws.size() && (draw = draws[next++], true); }, options);
}

void expectSameFigures(const std::vector<Draw>& draws, const game::Game& game = game::kWelfare3D) {
  Independent independent;
  independent.straightNumbers = &game == &game::kSportsPick3;
  independent.score(draws);
  BacktestOptions options;
  options.game = &game;
  const BacktestResult result = runOn(draws, options);
  EXPECT_EQ(result.summary.replays(), static_cast<long long>(draws.size()) - 3);
  for (int i = 0; i < engine::kOutputs; ++i) {
    const auto u = static_cast<std::size_t>(i);
    const OutputSummary& o = result.summary.output(i);
    EXPECT_EQ(o.calls, independent.calls[u]) << "output " << u;
    EXPECT_EQ(o.hits, independent.hits[u]) << "output " << u;
    EXPECT_EQ(o.noCalls, independent.noCalls[u]) << "output " << u;
    EXPECT_EQ(o.chanceThousandths, independent.chance[u]) << "output " << u;
    EXPECT_EQ(result.tests[u].excessThousandths, 1000 * independent.hits[u] - independent.chance[u])
        << "output " << u;
    EXPECT_EQ(result.tests[u].patterns, Independent::patterns(independent.sequence[u]))
        << "output " << u;
    if (i < engine::kLists) {
      EXPECT_EQ(o.money.stakeYuan, independent.staked[u]) << "output " << u;
      EXPECT_EQ(o.money.returnedYuan, independent.won[u]) << "output " << u;
      EXPECT_EQ(o.expectedReturnMills, independent.expectedMills[u]) << "output " << u;
      EXPECT_EQ(result.tests[u].excessReturnMills,
                1000 * independent.won[u] - independent.expectedMills[u]);
    }
    long long runsSeen = 0;
    for (const auto& [length, n] : o.runs.hits) runsSeen += length * n;
    for (const auto& [length, n] : o.runs.misses) runsSeen += length * n;
    EXPECT_EQ(runsSeen, o.calls) << "output " << u;
  }
}

std::vector<Draw> realRecord() {
  std::ifstream in(QUORVEL_REAL_RECORD, std::ios::binary);
  return readRecord(in).draws;
}

TEST(RealRecord, FiguresEqualAnIndependentScoring) {
  const std::vector<Draw> draws = realRecord();
  ASSERT_EQ(draws.size(), 7680u);
  EXPECT_EQ(draws.front().period, 2004001u);
  EXPECT_EQ(draws.back().period, 2026173u);
  expectSameFigures(draws);
}

TEST(SyntheticHistory, FiguresEqualAnIndependentScoring) {
  expectSameFigures(simulateHistory(3000, 11));
}

// 排列三's record, at 排列三's bets: every stake, return and expected return a recount.
TEST(Pick3Record, FiguresEqualAnIndependentScoringAtItsOwnBets) {
  std::ifstream in(QUORVEL_PICK3_RECORD, std::ios::binary);
  const std::vector<Draw> draws = readRecord(in).draws;
  ASSERT_EQ(draws.size(), 7672u);
  EXPECT_EQ(draws.back().period, game::kSportsPick3.verdictFixedThrough);
  expectSameFigures(draws, game::kSportsPick3);
}

// The observed figures of the real record, which no shuffle changes.
TEST(RealRecord, PinnedFigures) {
  const BacktestResult result = runOn(realRecord());
  const std::array<long long, engine::kOutputs> calls = {7677, 7677, 7677, 7677,
                                                         7677, 7677, 7677, 6247};
  const std::array<long long, engine::kOutputs> hits = {5562, 4255, 3848, 3576,
                                                        3838, 3802, 3866, 2112};
  const std::array<std::int64_t, engine::kOutputs> patterns = {263, 173, 131, 110,
                                                               146, 135, 138, 22};
  for (int i = 0; i < engine::kOutputs; ++i) {
    const auto u = static_cast<std::size_t>(i);
    EXPECT_EQ(result.summary.output(i).calls, calls[u]) << "output " << u;
    EXPECT_EQ(result.summary.output(i).hits, hits[u]) << "output " << u;
    EXPECT_EQ(result.tests[u].patterns, patterns[u]) << "output " << u;
  }
}

// An independent permutation test (std::shuffle, the independent scorer) on the same history:
// the two p-values differ only by Monte Carlo error.
TEST(SyntheticHistorySimulation, PValuesAgreeWithAnIndependentPermutationTest) {
  const std::vector<Draw> draws = simulateHistory(200, 3);
  constexpr int kShuffles = 400;
  BacktestOptions options;
  options.shuffles = kShuffles;
  options.threads = 2;
  const BacktestResult result = runOn(draws, options);

  Independent observed;
  observed.score(draws);
  std::array<int, engine::kOutputs> reaching{};
  std::array<int, engine::kLists> returnReaching{};
  std::mt19937 generator(42);
  std::vector<Draw> shuffled = draws;
  for (int b = 0; b < kShuffles; ++b) {
    std::shuffle(shuffled.begin(), shuffled.end(), generator);
    Independent s;
    s.score(shuffled);
    for (std::size_t i = 0; i < engine::kOutputs; ++i) {
      reaching[i] += 1000 * s.hits[i] - s.chance[i] >= 1000 * observed.hits[i] - observed.chance[i];
    }
    for (std::size_t i = 0; i < engine::kLists; ++i) {
      returnReaching[i] += 1000 * s.won[i] - s.expectedMills[i] >=
                           1000 * observed.won[i] - observed.expectedMills[i];
    }
  }
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const double p = (1.0 + reaching[i]) / (kShuffles + 1);
    const double error = std::sqrt(2 * std::max(p * (1 - p), 0.01) / kShuffles);
    EXPECT_NEAR(result.tests[i].pValue, p, 5 * error) << "output " << i;
  }
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    const double p = (1.0 + returnReaching[i]) / (kShuffles + 1);
    const double error = std::sqrt(2 * std::max(p * (1 - p), 0.01) / kShuffles);
    EXPECT_NEAR(result.tests[i].returnPValue, p, 5 * error) << "output " << i;
  }
}

// A record with gaps within its year: a pass is made only from three draws in a row, and the
// figures are those of the runs between the gaps scored apart.
TEST(RecordWithGaps, NoPassForecastsAcrossAGap) {
  std::vector<Draw> draws = simulateHistory(90, 5);
  for (std::size_t i = 0; i < draws.size(); ++i) draws[i].period = 2026001 + i;
  const std::set<std::uint64_t> missing = {2026008, 2026009, 2026031, 2026060, 2026062};
  std::erase_if(draws, [&](const Draw& d) { return missing.contains(d.period); });
  std::ostringstream text;
  for (const Draw& d : draws) {
    text << d.period << ',' << int{d.digits[0]} << int{d.digits[1]} << int{d.digits[2]} << '\n';
  }
  std::istringstream in(text.str());
  const Record record = readRecord(in);
  ASSERT_EQ(record.notes.gaps.size(), 4u);

  BacktestOptions options;
  options.notes = record.notes;
  options.shuffles = 40;
  std::vector<std::uint64_t> forecast;
  options.onReplay = [&](const Replayed& r) { forecast.push_back(r.period); };
  const BacktestResult result = runOn(record.draws, options);

  const auto present = [&](std::uint64_t p) {
    return std::ranges::any_of(draws, [&](const Draw& d) { return d.period == p; });
  };
  std::vector<std::uint64_t> expected;
  Independent runs;
  std::vector<Draw> run;
  for (const Draw& d : draws) {
    if (present(d.period - 1) && present(d.period - 2) && present(d.period - 3)) {
      expected.push_back(d.period);
    }
    if (!run.empty() && run.back().period + 1 != d.period) {
      runs.score(run);
      run.clear();
    }
    run.push_back(d);
  }
  runs.score(run);
  EXPECT_EQ(forecast, expected);
  EXPECT_EQ(result.summary.replays(), static_cast<long long>(expected.size()));
  for (int i = 0; i < engine::kOutputs; ++i) {
    const auto u = static_cast<std::size_t>(i);
    EXPECT_EQ(result.summary.output(i).calls, runs.calls[u]) << "output " << u;
    EXPECT_EQ(result.summary.output(i).hits, runs.hits[u]) << "output " << u;
  }
}

// The draws after the fixed period, scored as they came: the e-values equal a recount from the
// independent scorer's calls, summed as logarithms.
TEST(RealRecord, TheLaterDrawsTestEqualsAnIndependentRecount) {
  std::vector<Draw> draws = realRecord();
  const std::vector<Draw> later = simulateHistory(250, 17);
  for (std::size_t i = 0; i < later.size(); ++i) {
    draws.push_back({game::kWelfare3D.verdictFixedThrough + 1 + i,
                     {later[i].digits[0], later[i].digits[1], later[i].digits[2]}});
  }
  const BacktestResult result = runOn(draws);
  ASSERT_TRUE(result.laterDraws.has_value());
  const LaterDraws& p = *result.laterDraws;
  EXPECT_EQ(p.draws, 250);

  Independent recount;
  recount.score({draws.end() - 253, draws.end()});
  double family = 0;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    double e = 0;
    for (int j = 1; j <= 10; ++j) {
      double logWealth = 0;
      for (const auto& [hit, triples] : recount.each[i]) {
        logWealth +=
            std::log(1 + j / 10.0 * ((hit ? 1.0 : 0.0) - static_cast<double>(triples) / 1000.0));
      }
      e += std::exp(logWealth) / 10;
    }
    family += e / engine::kOutputs;
    EXPECT_EQ(p.outputs[i].calls, recount.calls[i]) << "output " << i;
    EXPECT_EQ(p.outputs[i].hits, recount.hits[i]) << "output " << i;
    EXPECT_NEAR(p.outputs[i].expectedHits, static_cast<double>(recount.chance[i]) / 1000.0, 1e-9)
        << "output " << i;
    EXPECT_NEAR(p.outputs[i].eValue(), e, 1e-9 * e) << "output " << i;
  }
  EXPECT_NEAR(p.eValue(), family, 1e-9 * family);
  EXPECT_FALSE(runOn(realRecord()).laterDraws.has_value());
}

TEST(Backtest, FewerThanFourDrawsIsAnError) {
  EXPECT_THROW(runOn(simulateHistory(3, 1)), BacktestError);
}

}  // namespace
}  // namespace quorvel::backtest
