#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "quorvel/backtest/replay.h"

namespace quorvel::backtest {

// The disclaimer's pattern: a run of 4 or 5 right calls directly followed by a run of 1 or 2
// wrong ones, as the fewest and the most of each.
inline constexpr std::pair<int, int> kPatternHits{4, 5}, kPatternMisses{1, 2};

// What the permutation test asks of one output's sequence of calls: the excess hits over chance
// and the count of the disclaimer's pattern. A no call is left out of the sequence: it neither
// ends nor starts a run. The pattern is followed by a small state machine, a table lookup a call
// rather than a branch on every hit or miss, since shuffles replay this millions of times.
class Tally {
 public:
  void add(const Call& call) {
    if (!call.made) return;
    excess_ += (call.hit ? 1000 : 0) - call.chanceThousandths;
    const std::uint8_t step = kSteps[state_][call.hit];
    patterns_ += step / kCounts;
    state_ = static_cast<std::uint8_t>(step % kCounts);
  }
  void finish() {  // counts a pattern whose miss run is still open at the end
    patterns_ += state_ == After1 || state_ == After2;
    state_ = Start;
  }

  // Hits minus the chance expectation of the calls made, in thousandths of a hit: exact, so that
  // ties between shuffles do not depend on the order of additions.
  std::int64_t excessThousandths() const { return excess_; }
  // How often a run of 4 or 5 hits is directly followed by a run of 1 or 2 misses.
  std::int64_t patterns() const { return patterns_; }

 private:
  // The states of the pattern: nothing called yet; in a run of 1...5 or of 6 or more hits; in a
  // run of 1 or 2 misses after 4 or 5 hits, which ends a pattern; in any other run of misses.
  enum State : std::uint8_t { Start, Hit1, Hit2, Hit3, Hit4, Hit5, Hit6, After1, After2, Misses };
  static constexpr std::uint8_t kCounts = 0x10;  // a step that completes a pattern
  // The step from each state on a miss (column 0) or a hit (column 1), with kCounts when a hit
  // closes a miss run that completes a pattern.
  static constexpr std::uint8_t kSteps[][2] = {
      /* Start  */ {Misses, Hit1},
      /* Hit1   */ {Misses, Hit2},
      /* Hit2   */ {Misses, Hit3},
      /* Hit3   */ {Misses, Hit4},
      /* Hit4   */ {After1, Hit5},
      /* Hit5   */ {After1, Hit6},
      /* Hit6   */ {Misses, Hit6},
      /* After1 */ {After2, Hit1 | kCounts},
      /* After2 */ {Misses, Hit1 | kCounts},
      /* Misses */ {Misses, Hit1},
  };

  static_assert(Hit4 - Start == kPatternHits.first && Hit5 - Start == kPatternHits.second &&
                After1 - After1 + 1 == kPatternMisses.first &&
                After2 - After1 + 1 == kPatternMisses.second);

  std::int64_t excess_ = 0;
  std::int64_t patterns_ = 0;
  std::uint8_t state_ = Start;  // where the calls so far leave the pattern
};

struct RunLengths {
  std::map<int, long long> hits;    // run length -> how many runs of consecutive hits
  std::map<int, long long> misses;  // the same for misses
};

// What betting every sum of a list cost and paid, in yuan, over `passes` passes.
struct Money {
  std::int64_t stakeYuan = 0, returnedYuan = 0;
  std::int64_t passes = 0;
  double rate() const {
    return stakeYuan > 0 ? static_cast<double>(returnedYuan) / static_cast<double>(stakeYuan) : 0;
  }
};

struct OutputSummary {
  long long calls = 0, hits = 0, noCalls = 0;
  std::int64_t chanceThousandths = 0;  // the chances of the calls made, added up
  long long listSizeSum = 0;
  RunLengths runs;
  Tally tally;
  // For a list: the money of betting its sums every period, the average return of those same
  // bets (in thousandths of a yuan), and the money year by year when the periods give years.
  Money money;
  std::int64_t expectedReturnMills = 0;
  std::map<int, Money> years;
  // The pass by pass sums of squares and products of the stake and the return, in yuan, which give
  // the spread of the return rate.
  double stakeSquares = 0, returnSquares = 0, stakeReturns = 0;
  // What betting the list's sums returned less what such bets return on average, in thousandths
  // of a yuan.
  std::int64_t excessReturnMills() const { return 1000 * money.returnedYuan - expectedReturnMills; }
  double expectedRate() const {
    return money.stakeYuan > 0 ? static_cast<double>(expectedReturnMills) / 1000.0 /
                                     static_cast<double>(money.stakeYuan)
                               : 0;
  }

  double hitRate() const {
    return calls > 0 ? static_cast<double>(hits) / static_cast<double>(calls) : 0;
  }
  double chanceRate() const {
    return calls > 0 ? static_cast<double>(chanceThousandths) / 1000.0 / static_cast<double>(calls)
                     : 0;
  }
};

// A calendar year's return rate.
struct YearRate {
  int year = 0;
  double rate = 0;
};
// The years of a list's money with the highest and the lowest return rate (the earlier of equals),
// among the whole years, with kWholeYearDraws draws forecast or more (a part year at either end
// of a record would rank on a few dozen draws); nothing when no year is whole.
struct BestAndWorst {
  YearRate best, worst;
};
std::optional<BestAndWorst> bestAndWorstYears(const OutputSummary& output);

// Adds up the replayed passes output by output, with the runs of consecutive hits and misses.
class Summary {
 public:
  void add(const Replayed& replayed);
  void finish();  // closes the open runs
  long long replays() const { return replays_; }
  // The first period forecast, 0 before any.
  std::uint64_t firstPeriod() const { return firstPeriod_; }
  const OutputSummary& output(int i) const { return outputs_[static_cast<std::size_t>(i)]; }

 private:
  long long replays_ = 0;
  std::uint64_t firstPeriod_ = 0;
  std::array<OutputSummary, engine::kOutputs> outputs_;
  std::array<int, engine::kOutputs> openRuns_{};  // > 0: hits so far, < 0: misses so far
};

}  // namespace quorvel::backtest
