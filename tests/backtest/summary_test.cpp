#include "quorvel/backtest/summary.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::backtest {
namespace {

Replayed withCalls(std::initializer_list<int> states) {  // 1 hit, 0 miss, -1 no call
  Replayed r{};
  std::size_t i = 0;
  for (int state : states) {
    r.calls[i].made = state >= 0;
    r.calls[i].noCall = state < 0;
    r.calls[i].hit = state == 1;
    r.calls[i].chanceThousandths = 250;
    ++i;
  }
  return r;
}

TEST(Summary, CountsHitsAndRunsOfConsecutiveHitsAndMisses) {
  Summary summary;
  for (int state : {1, 1, 0, 1, 0, 0, -1, 0, 1}) summary.add(withCalls({state}));
  summary.finish();
  const OutputSummary& o = summary.output(0);
  EXPECT_EQ(summary.replays(), 9);
  EXPECT_EQ(o.calls, 8);
  EXPECT_EQ(o.hits, 4);
  EXPECT_EQ(o.noCalls, 1);
  EXPECT_DOUBLE_EQ(o.hitRate(), 0.5);
  EXPECT_DOUBLE_EQ(o.chanceRate(), 0.25);
  // Calls: H H M H M M (no call) M H: a no call neither breaks nor extends a run.
  EXPECT_EQ(o.runs.hits, (std::map<int, long long>{{1, 2}, {2, 1}}));
  EXPECT_EQ(o.runs.misses, (std::map<int, long long>{{1, 1}, {3, 1}}));
}

Call call(int state, int chanceThousandths = 500) {  // 1 hit, 0 miss, -1 no call
  Call c;
  c.made = state >= 0;
  c.noCall = state < 0;
  c.hit = state == 1;
  c.chanceThousandths = static_cast<std::int16_t>(c.made ? chanceThousandths : 0);
  return c;
}

Tally tallyOf(std::string_view calls) {  // H hit, M miss, - no call
  Tally tally;
  for (char c : calls) tally.add(call(c == 'H' ? 1 : c == 'M' ? 0 : -1));
  tally.finish();
  return tally;
}

TEST(Tally, CountsFourOrFiveHitsDirectlyFollowedByOneOrTwoMisses) {
  EXPECT_EQ(tallyOf("HHHHM").patterns(), 1);  // the run still open at the end counts
  EXPECT_EQ(tallyOf("HHHHHMMH").patterns(), 1);
  EXPECT_EQ(tallyOf("HHHHMMM").patterns(), 0);      // three misses are too many
  EXPECT_EQ(tallyOf("HHHMHHHHHHM").patterns(), 0);  // three hits, then six: neither
  EXPECT_EQ(tallyOf("MHHHHMHHHHHMMHHHHM").patterns(), 3);
  EXPECT_EQ(tallyOf("HH-HH-M-MH").patterns(), 1);  // a no call neither ends nor starts a run
  EXPECT_EQ(tallyOf("HHHH").patterns(), 0);
  EXPECT_EQ(tallyOf("").patterns(), 0);
}

// The pattern counted the slow way: the runs of the made calls, then each hit run of 4 or 5 that
// the next run, of 1 or 2 misses, directly follows.
long long patternsByRuns(std::string_view calls) {
  std::vector<int> runs;  // > 0 hits, < 0 misses
  for (char c : calls) {
    if (c == '-') continue;
    const int step = c == 'H' ? 1 : -1;
    if (runs.empty() || (runs.back() > 0) != (step > 0)) runs.push_back(0);
    runs.back() += step;
  }
  long long patterns = 0;
  for (std::size_t i = 0; i + 1 < runs.size(); ++i) {
    patterns += (runs[i] == 4 || runs[i] == 5) && (runs[i + 1] == -1 || runs[i + 1] == -2);
  }
  return patterns;
}

TEST(Tally, CountsPatternsAsTheRunsOfARandomSequenceDo) {
  std::mt19937 generator(11);
  for (int trial = 0; trial < 2000; ++trial) {
    std::string calls(std::uniform_int_distribution<std::size_t>(0, 60)(generator), ' ');
    // Mostly hits, as the lists score, so that long hit runs come often.
    for (char& c : calls) c = "HHHHHM-M"[generator() % 8];
    EXPECT_EQ(tallyOf(calls).patterns(), patternsByRuns(calls)) << calls;
  }
}

TEST(Tally, CountsTheExcessOverChanceExactlyInThousandths) {
  Tally tally;
  tally.add(call(1, 168));  // +832
  tally.add(call(0, 832));  // -832
  tally.add(call(-1));      // no call: no expectation
  tally.add(call(1, 1));    // +999
  tally.finish();
  EXPECT_EQ(tally.excessThousandths(), 999);
}

}  // namespace
}  // namespace quorvel::backtest
