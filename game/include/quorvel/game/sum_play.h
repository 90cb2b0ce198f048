#pragma once

#include <array>
#include <cstdint>

#include "quorvel/game/draw.h"

// The sum play (和数): a bet on one sum, which pays a fixed prize when the drawn sum is that sum.
// The prizes are the game's current published ones, as several public sources repeat them; a
// province or a year may differ. Each returns between 50 % and 55 % of its stake on average, as
// the straight bet's 1040 yuan for a one-in-a-thousand draw does.
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

// What a bet on one sum costs, in yuan.
inline constexpr int kStakeYuan = 2;

// The prize of a bet on `sum` when the draw's sum is `sum`, in yuan; 0 for a sum no draw has.
constexpr int prizeYuan(int sum) {
  constexpr std::array<int, kSumValues / 2> kLowerHalf = {1040, 345, 172, 104, 69, 49, 37,
                                                          29,   23,  19,  16,  15, 15, 14};
  if (sum < 0 || sum > kLargestSum) return 0;
  return kLowerHalf[static_cast<std::size_t>(sum <= kLargestSum / 2 ? sum : kLargestSum - sum)];
}

// The average return of a bet on `sum`, in thousandths of a yuan: its prize times the draws, of
// the thousand, that win it. Exact, so that totals over millions of bets do not drift.
constexpr std::int64_t expectedReturnMills(int sum) {
  return static_cast<std::int64_t>(ways(sum)) * prizeYuan(sum);
}

}  // namespace quorvel::game
