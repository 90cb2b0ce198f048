#pragma once

#include <cstdint>
#include <optional>

#include "quorvel/engine/sum_list.h"
#include "quorvel/engine/verdict.h"
#include "quorvel/game/sum_play.h"

// What following a call costs in a game, worked out once: each list's chance of holding the next
// sum and the money of one bet on each of its sums in the game's sum bet; each verdict's chance,
// the same in every game since no game sells it as a bet.
namespace quorvel::game {

struct ListOdds {
  int chanceThousandths = 0;             // the draws of the thousand whose sum it holds
  int bets = 0;                          // tickets, at the game's ticket price
  int stakeYuan = 0;                     // what the bets cost
  std::int64_t expectedReturnMills = 0;  // their average return, in thousandths of a yuan
  bool operator==(const ListOdds&) const = default;
};

constexpr ListOdds listOdds(engine::SumSet list, const SumBet& bet) {
  ListOdds odds;
  for (int sum = 0; sum <= kLargestSum; ++sum) {
    if (!engine::contains(list, sum)) continue;
    odds.chanceThousandths += ways(sum);
    odds.stakeYuan += bet.stake(sum);
    odds.expectedReturnMills += bet.expectedReturnMills(sum);
  }
  odds.bets = bet.ticketYuan > 0 ? odds.stakeYuan / bet.ticketYuan : 0;
  return odds;
}

// The sums a verdict holds for; none for NoCall, which calls none.
constexpr engine::SumSet verdictSums(engine::Verdict verdict) {
  engine::SumSet sums = 0;
  for (int sum = 0; sum <= kLargestSum; ++sum) {
    if (verdict != engine::Verdict::NoCall && engine::verdictHolds(verdict, sum))
      sums |= engine::SumSet{1} << sum;
  }
  return sums;
}

// The draws of the thousand in the class a verdict calls; nothing for NoCall.
constexpr std::optional<int> verdictChanceThousandths(engine::Verdict verdict) {
  if (verdict == engine::Verdict::NoCall) return std::nullopt;
  int chance = 0;
  for (int sum = 0; sum <= kLargestSum; ++sum) {
    if (engine::contains(verdictSums(verdict), sum)) chance += ways(sum);
  }
  return chance;
}

}  // namespace quorvel::game
