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
// The tally knows which shuffles it was promised and which it holds: a shuffle that comes twice,
// or that was never planned, is refused, so that a part lost or sent twice by a worker can never
// become a zero-filled or doubled "shuffle". It keeps kClaims numbers a shuffle.
class ShuffleTally {
 public:
  // A tally of shuffles 0 ... planned - 1.
  explicit ShuffleTally(std::uint64_t planned = 0) { plan(planned); }

  // Plans shuffles up to planned - 1, as a test that wants more shuffles does; never fewer than
  // already planned.
  void plan(std::uint64_t planned);

  // Adds shuffle number `index`. Throws std::invalid_argument, and adds nothing, for a shuffle
  // that was not planned or is already in.
  void add(std::uint64_t index, const ReplayStatistics& shuffle);

  // How many shuffles are planned and how many have come in; complete() when every planned one
  // has.
  std::uint64_t planned() const { return claims_.size(); }
  std::uint64_t shuffles() const { return added_; }
  bool complete() const { return added_ == claims_.size(); }
  // Every shuffle's claims, by its number; only meaningful once complete.
  const std::vector<ClaimStatistics>& claims() const { return claims_; }
  // The hits and calls of each output and what betting each list returned and staked, added up
  // over the shuffles in.
  const ReplayStatistics& totals() const { return totals_; }

 private:
  std::vector<ClaimStatistics> claims_;
  std::vector<bool> held_;
  std::uint64_t added_ = 0;
  ReplayStatistics totals_;
};

}  // namespace quorvel::backtest
