#pragma once

#include <array>

#include "history_grid.h"
#include "pass_storage.h"
#include "quorvel/engine/sum_list.h"

namespace quorvel::engine {

// The sums ending in each digit, and the sums with each remainder modulo 12.
extern const std::array<SumSet, 10> kSumsEndingIn;
extern const std::array<SumSet, 12> kSumsByRemainder12;

// A tail digit is hot when it wins more than this many of the eight tail votes.
inline constexpr int kHotTailVotes = 4;

// The sums each value of a derived number penalises in the range rules; a value without an entry
// (a negative one, or one past the table) penalises nothing.
extern const std::array<SumSet, 10> kLatestSumTailPenalties;   // by latestSumTail
extern const std::array<SumSet, 2> kThirdColumnTailPenalties;  // by thirdColumnTail
extern const std::array<SumSet, 2> kDiagParityAPenalties;      // by diagParityA
extern const std::array<SumSet, 2> kDiagParityBPenalties;      // by diagParityB
extern const std::array<SumSet, 12> kZodiacPenalties;          // by latestSumMod12

// Hot tails, then the latest-sum tail, the third-column tail, the two diagonal parities and the
// zodiac digit sums, each penalising its sums once.
void applyRangeRules(PassStorage& pass);

// The product tail of the latest and previous sums, then the first-digit pair and the sum pair
// modulo 12. Raises Overflow where a whole-number rounding does not fit 32 bits.
void applyKeyRules(const HistoryGrid& grid, PassStorage& pass);

// Penalises every sum with fewer than two votes.
void applyExtremeRule(PassStorage& pass);

// The sums whose weight is still 0 or more.
SumSet unpenalisedSums(const PassStorage& pass);

}  // namespace quorvel::engine
