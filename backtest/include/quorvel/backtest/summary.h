#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "quorvel/backtest/replay.h"

namespace quorvel::backtest {

// What the permutation test asks of one output's sequence of calls: the excess hits over chance
// and the count of the disclaimer's pattern. A no call is left out of the sequence: it neither
// ends nor starts a run.
class Tally {
 public:
  // Each returns the run it closed, if any: its length as hits (> 0) or misses (< 0), else 0.
  int add(const Call& call);
  int finish();  // closes the run still open at the end, which counts

  // Hits minus the chance expectation of the calls made, in thousandths of a hit: exact, so that
  // ties between shuffles do not depend on the order of additions.
  std::int64_t excessThousandths() const { return excess_; }
  // How often a run of 4 or 5 hits is directly followed by a run of 1 or 2 misses.
  std::int64_t patterns() const { return patterns_; }

 private:
  int closeRun();

  std::int64_t excess_ = 0;
  std::int64_t patterns_ = 0;
  int run_ = 0;           // > 0: hits so far, < 0: misses so far
  int hitRunBefore_ = 0;  // the length of the hit run the current miss run follows
};

struct RunLengths {
  std::map<int, long long> hits;    // run length -> how many runs of consecutive hits
  std::map<int, long long> misses;  // the same for misses
};

struct OutputSummary {
  long long calls = 0, hits = 0, noCalls = 0;
  std::int64_t chanceThousandths = 0;  // the chances of the calls made, added up
  long long listSizeSum = 0;
  RunLengths runs;
  Tally tally;

  double hitRate() const {
    return calls > 0 ? static_cast<double>(hits) / static_cast<double>(calls) : 0;
  }
  double chanceRate() const {
    return calls > 0 ? static_cast<double>(chanceThousandths) / 1000.0 / static_cast<double>(calls)
                     : 0;
  }
};

// Adds up the replayed passes output by output, with the runs of consecutive hits and misses.
class Summary {
 public:
  void add(const Replayed& replayed);
  void finish();  // closes the open runs
  long long replays() const { return replays_; }
  const OutputSummary& output(int i) const { return outputs_[static_cast<std::size_t>(i)]; }

 private:
  long long replays_ = 0;
  std::array<OutputSummary, kOutputs> outputs_;
};

}  // namespace quorvel::backtest
