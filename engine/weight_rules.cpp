#include "weight_rules.h"

#include <bit>
#include <initializer_list>

#include "pass_stopped.h"
#include "rounding.h"
#include "rule_cells.h"

namespace quorvel::engine {
namespace {

// The sums s with s mod n == remainder, for each remainder 0...n-1.
template <std::size_t N>
constexpr std::array<SumSet, N> sumsByRemainder() {
  std::array<SumSet, N> sets{};
  for (std::size_t s = 0; s < kSumCount; ++s) sets[s % N] |= SumSet{1} << s;
  return sets;
}

// The sums whose digit sum, (s div 10) + (s mod 10), is one of `digitSums`.
constexpr SumSet withDigitSums(std::initializer_list<int> digitSums) {
  SumSet set = 0;
  for (int s = 0; s < kSumCount; ++s) {
    for (int d : digitSums) {
      if (s / 10 + s % 10 == d) set |= SumSet{1} << s;
    }
  }
  return set;
}

template <std::size_t N>
SumSet entryFor(const std::array<SumSet, N>& table, int value) {
  return value >= 0 && static_cast<std::size_t>(value) < N ? table[static_cast<std::size_t>(value)]
                                                           : SumSet{0};
}

void penaliseAll(SumSet set, PassStorage& pass) {
  for (; set != 0; set &= set - 1) pass.penalise(std::countr_zero(set));
}

}  // namespace

constexpr std::array<SumSet, 10> kSumsEndingIn = sumsByRemainder<10>();
constexpr std::array<SumSet, 12> kSumsByRemainder12 = sumsByRemainder<12>();

constexpr std::array<SumSet, 10> kLatestSumTailPenalties = {
    makeSumSet({1, 2, 3, 4, 19, 23, 24, 26, 27}),    // 0
    makeSumSet({1, 2, 3, 4, 5, 8, 14, 23, 25, 27}),  // 1
    makeSumSet({1, 2, 3, 5, 24, 25, 26, 27}),        // 2
    makeSumSet({1, 2, 3, 26, 27}),                   // 3
    makeSumSet({1, 3, 5, 6, 24, 25, 26, 27}),        // 4
    makeSumSet({2, 3, 4, 6, 21, 24, 25, 27}),        // 5
    makeSumSet({1, 2, 18, 19, 24, 25, 26, 27}),      // 6
    makeSumSet({1, 2, 4, 24, 25, 26}),               // 7
    makeSumSet({1, 2, 4, 19, 23, 24, 26, 27}),       // 8
    makeSumSet({1, 2, 3, 22, 23, 25, 26, 27}),       // 9
};

constexpr std::array<SumSet, 2> kThirdColumnTailPenalties = {
    makeSumSet({1, 24, 26, 27}),  // 0
    makeSumSet({25, 26, 27}),     // 1
};

constexpr std::array<SumSet, 2> kDiagParityAPenalties = {
    makeSumSet({2, 21, 24, 26, 27}),   // 0
    makeSumSet({22, 24, 25, 26, 27}),  // 1
};

constexpr std::array<SumSet, 2> kDiagParityBPenalties = {
    makeSumSet({3, 6, 13, 24, 25, 26, 27}),  // 0
    makeSumSet({1, 24, 26, 27}),             // 1
};

constexpr std::array<SumSet, 12> kZodiacPenalties = {
    withDigitSums({0, 7}),   // 0
    withDigitSums({0, 3}),   // 1
    withDigitSums({0}),      // 2
    withDigitSums({6, 10}),  // 3
    withDigitSums({7, 10}),  // 4
    withDigitSums({0, 8}),   // 5
    withDigitSums({0, 7}),   // 6
    withDigitSums({1, 3}),   // 7
    withDigitSums({0, 6}),   // 8
    withDigitSums({7, 8}),   // 9
    withDigitSums({1, 10}),  // 10
    withDigitSums({0}),      // 11
};

void applyRangeRules(PassStorage& pass) {
  for (int digit = 0; digit <= 9; ++digit) {
    if (pass.tailVotes[digit] > kHotTailVotes) penaliseAll(entryFor(kSumsEndingIn, digit), pass);
  }
  penaliseAll(entryFor(kLatestSumTailPenalties, pass.latestSumTail), pass);
  penaliseAll(entryFor(kThirdColumnTailPenalties, pass.thirdColumnTail), pass);
  penaliseAll(entryFor(kDiagParityAPenalties, pass.diagParityA), pass);
  penaliseAll(entryFor(kDiagParityBPenalties, pass.diagParityB), pass);
  penaliseAll(entryFor(kZodiacPenalties, pass.latestSumMod12), pass);
}

void applyKeyRules(const HistoryGrid& grid, PassStorage& pass) {
  auto rounded = [&](const FailureCause& cause) {
    return blamingCells(cause, [&] { return wholeNumberRound(grid.combine(cause)); });
  };
  penaliseAll(entryFor(kSumsEndingIn, truncMod(rounded(kSumProduct), 10)), pass);
  penaliseAll(entryFor(kSumsByRemainder12, truncMod(rounded(kFirstDigitPair), 12)), pass);
  penaliseAll(entryFor(kSumsByRemainder12, truncMod(rounded(kSumPair), 12)), pass);
}

void applyExtremeRule(PassStorage& pass) {
  pass.sumWeight.addEach<kSumCount>([&](int s) { return -static_cast<int>(pass.sumVotes[s] < 2); });
}

SumSet unpenalisedSums(const PassStorage& pass) {
  SumSet set = 0;
  for (int s = 0; s < kSumCount; ++s) set |= SumSet{pass.sumWeight[s] >= 0} << s;
  return set;
}

}  // namespace quorvel::engine
