#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "draw_history.h"
#include "quorvel/prediction_pass.h"

namespace quorvel::backtest {

// The eight outputs, in the window's box order.
inline constexpr int kOutputs = 8;
extern const std::array<const char*, kOutputs> kOutputNames;

// The probability that three uniform digits sum to s: the number of digit triples with that sum
// over 1000.
double sumProbability(int s);

// The chance that a uniform draw proves the call right.
double verdictChance(Verdict verdict);

// One output of one replayed pass, scored against the draw that followed.
struct Call {
  bool made = false;  // a list the pass wrote, or a verdict other than NoCall
  bool noCall = false;
  bool hit = false;
  double chance = 0;  // the probability that blind chance scores this call
  int listSize = 0;
};

struct Replayed {
  std::uint64_t period;  // the period forecast
  int sum;               // its real sum
  PassResult result;
  std::array<Call, kOutputs> calls;
};

// The grid as a user types it from the three draws before `next` (latest on top), one pass,
// scored against `next`.
Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next);

struct RunLengths {
  std::map<int, long long> hits;    // run length -> how many runs of consecutive hits
  std::map<int, long long> misses;  // the same for misses
};

struct OutputSummary {
  long long calls = 0, hits = 0, noCalls = 0;
  double chanceSum = 0;
  long long listSizeSum = 0;
  RunLengths runs;
  double hitRate() const {
    return calls > 0 ? static_cast<double>(hits) / static_cast<double>(calls) : 0;
  }
  double chanceRate() const { return calls > 0 ? chanceSum / static_cast<double>(calls) : 0; }
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
  std::array<int, kOutputs> runLength_{};  // > 0: hits so far, < 0: misses so far
};

// The 95 % Wilson score interval for `hits` of `calls`.
std::pair<double, double> wilsonInterval(long long hits, long long calls);

// The expected number of runs of exactly `length` successes in `trials` independent trials that
// each succeed with probability p.
double expectedRuns(int length, long long trials, double p);

}  // namespace quorvel::backtest
