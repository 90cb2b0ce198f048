#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "quorvel/backtest/family.h"
#include "quorvel/game/draw.h"
#include "quorvel/game/game.h"

// The strategies a trend chart suggests, replayed over a record as the forecast is and tested
// against chance on the same kind of shuffles, as one family of their own: chase the overdue sum
// (追冷: the sum with the longest current gap), chase the hot sum (追热: the sum drawn most often in
// the last kHotWindow draws), follow the last (跟上期: the last draw's sum), and chase the overdue
// digit of each position (a straight-digit call, right one time in ten). Where values tie, the
// strategy takes the smallest. Each bets from the first draw it has history for: the second draw,
// or the kHotWindow + 1-th for 追热.
namespace quorvel::backtest {

using game::Draw;

enum class Strategy : std::uint8_t {
  OverdueSum,
  HotSum,
  LastSum,
  OverdueFirstDigit,
  OverdueSecondDigit,
  OverdueThirdDigit
};
inline constexpr std::size_t kStrategies = 6;
inline constexpr std::array<Strategy, kStrategies> kAllStrategies = {
    Strategy::OverdueSum,        Strategy::HotSum,           Strategy::LastSum,
    Strategy::OverdueFirstDigit, Strategy::OverdueSecondDigit, Strategy::OverdueThirdDigit};
inline constexpr std::size_t kHotWindow = 30;

// Whether the strategy bets a sum (and so stakes and wins the game's sum play) or calls a digit.
constexpr bool betsSum(Strategy strategy) {
  return strategy == Strategy::OverdueSum || strategy == Strategy::HotSum ||
         strategy == Strategy::LastSum;
}

// What a strategy did over a record: its calls and hits, the hits chance gives its calls (in
// thousandths, each call's chance added up), and for a sum strategy what betting each call at the
// game's sum play staked and returned, and would return on average.
struct StrategyTally {
  std::int64_t calls = 0, hits = 0, chanceThousandths = 0;
  std::int64_t stakeYuan = 0, returnedYuan = 0, expectedReturnMills = 0;
  // The hits above chance's, in thousandths: the statistic the test weighs.
  std::int64_t excessThousandths() const { return 1000 * hits - chanceThousandths; }
  bool operator==(const StrategyTally&) const = default;
};
using StrategyTallies = std::array<StrategyTally, kStrategies>;

// Replays every strategy over `draws`, oldest first, at `game`'s prizes.
StrategyTallies replayStrategies(std::span<const Draw> draws, const game::Game& game);

struct StrategiesTest {
  StrategyTallies tallies;
  FamilyTestOf<kStrategies> family;  // hits above chance, adjusted together
  std::uint64_t shuffles = 0;
};

// The strategies on `record` against `shuffles` of its orderings (shuffleOrder's, from `seed`),
// with more while one stands borderline, as the forecast's test adds them (to shuffleCap).
StrategiesTest testStrategies(std::span<const Draw> record, const game::Game& game,
                              std::uint64_t shuffles, std::uint64_t seed);

}  // namespace quorvel::backtest
