#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "quorvel/game/draw.h"

namespace quorvel::backtest {

using game::Draw;

// Uniform simulated draws, made one at a time, periods 1, 2, 3... The generator is
// std::mt19937_64 seeded with `seed`; each digit is one 64-bit output taken modulo 10, drawn
// again when it falls in the incomplete last block of ten, so every machine gives the same draws
// for a seed.
class SimulatedDraws {
 public:
  explicit SimulatedDraws(std::uint64_t seed) : generator_(seed) {}
  Draw next();

 private:
  std::mt19937_64 generator_;
  std::uint64_t period_ = 0;
};

// The first `count` draws of SimulatedDraws(seed), kept in memory.
std::vector<Draw> simulateHistory(std::size_t count, std::uint64_t seed);

}  // namespace quorvel::backtest
