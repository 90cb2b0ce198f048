#pragma once

#include <cstdint>

namespace quorvel::backtest {

// One output of one replayed pass, scored against the draw that followed. For a list, also what
// betting every one of its sums in the sum play would have cost and paid.
// Small, since the shuffles score millions of passes.
struct Call {
  bool made = false;  // a list the pass wrote, or a verdict other than NoCall
  bool noCall = false;
  bool hit = false;
  std::uint8_t listSize = 0;
  std::int16_t chanceThousandths = 0;  // the chance that a uniform draw proves this call right
  std::int16_t stakeYuan = 0;          // what one bet on each sum of a list costs in the game
  // The prize of the bet on the drawn sum when the list holds it, and what the bets return on
  // average, both in thousandths of a yuan.
  std::int32_t returnedMills = 0;
  std::int32_t expectedMills = 0;
  double chance() const { return chanceThousandths / 1000.0; }
};

}  // namespace quorvel::backtest
