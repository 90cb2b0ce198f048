#pragma once

#include <array>
#include <cstdint>

#include "quorvel/game/draw.h"

// The sum play: a bet on one sum, which pays when the drawn sum is that sum. What a bet costs and
// pays is each game's own (game.h); how likely each sum is, every game of three fair digits shares.
namespace quorvel::game {

// How many of the 1000 equally likely draws sum to each sum: every draw counted once.
inline constexpr std::array<int, kSumValues> kWays = [] {
  std::array<int, kSumValues> ways{};
  for (int a = 0; a < kDigitValues; ++a) {
    for (int b = 0; b < kDigitValues; ++b) {
      for (int c = 0; c < kDigitValues; ++c) ++ways[static_cast<std::size_t>(a + b + c)];
    }
  }
  return ways;
}();

// How many of the 1000 equally likely draws sum to `sum`; 0 for a sum no draw has.
constexpr int ways(int sum) {
  return sum >= 0 && sum <= kLargestSum ? kWays[static_cast<std::size_t>(sum)] : 0;
}

// A game's sum bet: what a bet on each sum costs and what it pays when the draw's sum is that sum,
// in yuan.
struct SumBet {
  int ticketYuan = 0;  // what one ticket costs; a bet on a sum may take several
  std::array<int, kSumValues> stakeYuan{};
  std::array<int, kSumValues> prizeYuan{};

  // 0 for a sum no draw has.
  constexpr int stake(int sum) const { return inRange(sum) ? stakeYuan[index(sum)] : 0; }
  constexpr int prize(int sum) const { return inRange(sum) ? prizeYuan[index(sum)] : 0; }

  // The average return of a bet on `sum`, in thousandths of a yuan: its prize times the draws, of
  // the thousand, that win it. Exact, so that totals over millions of bets do not drift.
  constexpr std::int64_t expectedReturnMills(int sum) const {
    return static_cast<std::int64_t>(ways(sum)) * prize(sum);
  }

 private:
  static constexpr bool inRange(int sum) { return sum >= 0 && sum <= kLargestSum; }
  static constexpr std::size_t index(int sum) { return static_cast<std::size_t>(sum); }
};

}  // namespace quorvel::game
