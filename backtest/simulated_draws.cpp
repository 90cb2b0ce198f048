#include "quorvel/backtest/simulated_draws.h"

namespace quorvel::backtest {

Draw SimulatedDraws::next() {
  constexpr std::uint64_t kWholeBlocks = UINT64_MAX - UINT64_MAX % 10;  // values below are fair
  Draw draw{++period_, {}};
  for (std::uint8_t& d : draw.digits) {
    std::uint64_t x = generator_();
    while (x >= kWholeBlocks) x = generator_();
    d = static_cast<std::uint8_t>(x % 10);
  }
  return draw;
}

std::vector<Draw> simulateHistory(std::size_t count, std::uint64_t seed) {
  SimulatedDraws source(seed);
  std::vector<Draw> draws(count);
  for (Draw& draw : draws) draw = source.next();
  return draws;
}

}  // namespace quorvel::backtest
