#pragma once

#include <cstdint>
#include <vector>

#include "quorvel/backtest/family.h"
#include "quorvel/backtest/shuffles.h"

namespace quorvel::backtest {

// What the shuffles of a record tell: every shuffle's claim statistics, which the family's test
// reads together, and the counts added up over all of them that give the shuffles' own centre.
// Shuffles may come in any order and in any parts, so that threads and workers can share them;
// each is kept at its number, so that the test sees them in the same order whoever replayed them.
// It keeps kClaims numbers a shuffle.
class ShuffleTally {
 public:
  // Adds shuffle number `index`.
  void add(std::uint64_t index, const ReplayStatistics& shuffle);

  // How many shuffles have come in; complete() when they are shuffles 0 ... shuffles() - 1.
  std::uint64_t shuffles() const { return added_; }
  bool complete() const { return added_ == claims_.size(); }
  // Every shuffle's claims, by its number.
  const std::vector<ClaimStatistics>& claims() const { return claims_; }
  // The hits and calls of each output and what betting each list returned and staked, added up
  // over the shuffles.
  const ReplayStatistics& totals() const { return totals_; }

 private:
  std::vector<ClaimStatistics> claims_;
  std::uint64_t added_ = 0;
  ReplayStatistics totals_;
};

}  // namespace quorvel::backtest
