#pragma once

#include <array>
#include <initializer_list>

#include "quorvel/engine/failure.h"

// The cells each rule combines, written once: both roads of the pass read them, and a failure
// in a combination names its cells from here.
namespace quorvel::engine {

// The latest sum, from which the latest sum's tail and remainder modulo 12 are taken.
inline constexpr FailureCause kLatestSumCell{FailureStep::DerivedValues, CellCombination::One, {3}};

// The diagonals from the top-left and from the top-right digit down to the oldest period.
inline constexpr FailureCause kDiagonalA{
    FailureStep::DerivedValues, CellCombination::Sum, {0, 5, 10}};
inline constexpr FailureCause kDiagonalB{
    FailureStep::DerivedValues, CellCombination::Sum, {2, 5, 8}};

// The cells each tail combination adds, left to right.
constexpr FailureCause tailCombination(std::initializer_list<int> cells) {
  return {FailureStep::TailVotes, CellCombination::Sum, cells};
}
inline constexpr std::array<FailureCause, 8> kTailCombinations = {
    tailCombination({1, 4, 6}),     // latest 2nd digit, previous 1st and 3rd digits
    tailCombination({0, 4, 5}),     // latest 1st digit, previous 1st and 2nd digits
    tailCombination({1, 2, 6}),     // latest 2nd and 3rd digits, previous 3rd digit
    tailCombination({0, 2, 5, 9}),  // latest 1st and 3rd digits, previous and oldest 2nd digits
    tailCombination({3, 6, 11}),    // latest sum, previous 3rd digit, oldest sum
    tailCombination({0, 4, 8}),     // the 1st digits of all three periods
    tailCombination({1, 5, 9}),     // the 2nd digits
    tailCombination({2, 6, 10}),    // the 3rd digits
};

// The key rules: the product of the latest and previous sums, the pair of their first digits and
// the pair of the sums.
inline constexpr FailureCause kSumProduct{FailureStep::KeyRules, CellCombination::Product, {3, 7}};
inline constexpr FailureCause kFirstDigitPair{FailureStep::KeyRules, CellCombination::Sum, {0, 4}};
inline constexpr FailureCause kSumPair{FailureStep::KeyRules, CellCombination::Sum, {3, 7}};

// The attribute products: entry 3k + p is digit k of period p times the sum of period k.
inline constexpr std::array<FailureCause, 9> kAttributeProducts = [] {
  std::array<FailureCause, 9> products{};
  for (int k = 0; k < 3; ++k) {
    for (int p = 0; p < 3; ++p) {
      products[static_cast<std::size_t>(3 * k + p)] = {
          FailureStep::AttributeProducts, CellCombination::Product, {4 * p + k, 4 * k + 3}};
    }
  }
  return products;
}();

}  // namespace quorvel::engine
