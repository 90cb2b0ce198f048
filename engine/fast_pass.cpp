// The pass over a plain grid: every cell a whole number 0...9999, so that every value the rules
// form is a non-negative integer whose exact sum or product fits 32 bits. Then the doubles, the
// 15-digit step and the 16-bit counters of the rules can be left out without changing a result:
//  - a whole number below 2^32 rounds to itself, and reads the same at 15 digits;
//  - a sum never goes negative, so no tail is the subscript failure;
//  - no counter comes near the 16-bit limits: a sum has at most six votes and a weight loses at
//    most a dozen, so a list only asks "was this sum ever penalised?", a bit in a mask;
//  - the one check that can fail is an attribute product above 32767.
// The votes of every triple of latest digits are worked out once, from the vote tables.

#include "fast_pass.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#include "attribute_rules.h"
#include "rule_cells.h"
#include "sum_votes.h"
#include "tail_votes.h"
#include "weight_rules.h"

namespace quorvel::engine {
namespace {

constexpr SumSet kAllSums = (SumSet{1} << kSumCount) - 1;

// What the vote tables make of three latest digits: the sums with a vote, those with two, and
// the remainder call that weighs the counts of one to three votes.
struct DigitVotes {
  SumSet atLeastOne = 0;
  SumSet atLeastTwo = 0;
  Verdict mod3 = Verdict::NoCall;
};

// Digits 0...9 pick a row; 10 stands for any other value, which picks none.
constexpr int kRowChoices = 11;

// Made once when the program starts, from the vote tables, which are constants by then.
const std::array<DigitVotes, kRowChoices* kRowChoices* kRowChoices> kDigitVotes = [] {
  std::array<DigitVotes, kRowChoices * kRowChoices * kRowChoices> votes{};
  const VoteTable* tables[3] = {&kFirstDigitVotes, &kSecondDigitVotes, &kThirdDigitVotes};
  for (std::size_t index = 0; index < votes.size(); ++index) {
    const std::size_t digits[3] = {index / (kRowChoices * kRowChoices),
                                   index / kRowChoices % kRowChoices, index % kRowChoices};
    std::array<int, kSumCount> count{};
    for (std::size_t t = 0; t < 3; ++t) {
      if (digits[t] > 9) continue;
      const VoteRow& row = (*tables[t])[digits[t]];
      for (int s = 0; s < kSumCount; ++s) {
        count[static_cast<std::size_t>(s)] += contains(row.once, s) + contains(row.twice, s);
      }
    }
    std::array<int, 3> weight{};
    DigitVotes& v = votes[index];
    for (int s = 0; s < kSumCount; ++s) {
      const int c = count[static_cast<std::size_t>(s)];
      if (c >= 1) v.atLeastOne |= SumSet{1} << s;
      if (c >= 2) v.atLeastTwo |= SumSet{1} << s;
      if (c >= 1 && c <= 3) weight[static_cast<std::size_t>(s % 3)] += c;
    }
    v.mod3 = mod3Pick(weight[0], weight[1], weight[2]);
  }
  return votes;
}();

// For each product 0...32767, one nibble per class it is in: middle, big, even, front.
constexpr unsigned kProductLimit = 32767;
constexpr std::array<std::uint16_t, kProductLimit + 1> kProductClasses = [] {
  std::array<std::uint16_t, kProductLimit + 1> classes{};
  for (int x = 0; x <= static_cast<int>(kProductLimit); ++x) {
    classes[static_cast<std::size_t>(x)] =
        static_cast<std::uint16_t>(unsigned{isMiddle(x % 28)} | unsigned{isBig(x % 28)} << 4 |
                                   unsigned{x % 2 == 0} << 8 | unsigned{isFrontHalf(x % 12)} << 12);
  }
  return classes;
}();

// The third-column penalties for every tail digit: the table's, then nothing.
const std::array<SumSet, 10> kThirdColumnTailByDigit = [] {
  std::array<SumSet, 10> sums{};
  for (std::size_t digit = 0; digit < kThirdColumnTailPenalties.size(); ++digit) {
    sums[digit] = kThirdColumnTailPenalties[digit];
  }
  return sums;
}();

// The numbers of the cells `Cause` names, added or multiplied, its cells known when compiling.
template <FailureCause Cause>
unsigned combined(const PlainGrid& v) {
  return [&]<std::size_t... J>(std::index_sequence<J...>) {
    if constexpr (Cause.combination == CellCombination::Product) {
      return (unsigned{v[Cause.cellIndices[J]]} * ...);
    } else {
      return (unsigned{v[Cause.cellIndices[J]]} + ...);
    }
  }
  (std::make_index_sequence<Cause.cellCount>{});
}

std::size_t rowChoice(unsigned digit) { return digit <= 9 ? digit : 10; }

// The sums the range rules penalise, beside those without a vote.
SumSet rangePenalties(const PlainGrid& v) {
  // The tail votes are counted in one nibble per digit; a digit is hot with five or more of the
  // eight, so at most one is, and adding 3 carries its nibble into bit 3.
  static_assert(kHotTailVotes == 4 && kTailCombinations.size() == 8);
  std::uint64_t tailVotes = 0;
  unsigned thirdColumnTail = 0;  // the last combination's tail
  [&]<std::size_t... C>(std::index_sequence<C...>) {
    ((thirdColumnTail = combined<kTailCombinations[C]>(v) % 10,
      tailVotes += std::uint64_t{1} << (4 * thirdColumnTail)),
     ...);
  }
  (std::make_index_sequence<kTailCombinations.size()>{});
  SumSet penalised = 0;
  const std::uint64_t hot = (tailVotes + 0x3333333333ULL) & 0x8888888888ULL;
  if (hot != 0) penalised |= kSumsEndingIn[static_cast<std::size_t>(std::countr_zero(hot) / 4)];
  const unsigned latestSum = combined<kLatestSumCell>(v);
  penalised |= kLatestSumTailPenalties[latestSum % 10];
  penalised |= kThirdColumnTailByDigit[thirdColumnTail];
  penalised |= kDiagParityAPenalties[combined<kDiagonalA>(v) % 2];
  penalised |= kDiagParityBPenalties[combined<kDiagonalB>(v) % 2];
  penalised |= kZodiacPenalties[latestSum % 12];
  return penalised;
}

SumSet keyPenalties(const PlainGrid& v) {
  return kSumsEndingIn[combined<kSumProduct>(v) % 10] |
         kSumsByRemainder12[combined<kFirstDigitPair>(v) % 12] |
         kSumsByRemainder12[combined<kSumPair>(v) % 12];
}

using Products = std::array<unsigned, kAttributeProducts.size()>;

Products attributeProducts(const PlainGrid& v) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    return Products{combined<kAttributeProducts[I]>(v)...};
  }
  (std::make_index_sequence<kAttributeProducts.size()>{});
}

// The four product rules and the remainder call, written in the pass's order. The four classes
// of each product are counted in one nibble each; nine votes never tie, and the first class wins
// with five, which adding 3 carries into the nibble's bit 3.
void writeVerdicts(const Products& products, Verdict mod3, PassResult& result) {
  unsigned classVotes = 0;
  for (const unsigned product : products) classVotes += kProductClasses[product];
  const unsigned wins = (classVotes + 0x3333U) & 0x8888U;
  result.writeVerdict(Output::MiddleEdge, (wins & 0x0008U) != 0 ? Verdict::Middle : Verdict::Edge);
  result.writeVerdict(Output::BigSmall, (wins & 0x0080U) != 0 ? Verdict::Big : Verdict::Small);
  result.writeVerdict(Output::OddEven, (wins & 0x0800U) != 0 ? Verdict::Even : Verdict::Odd);
  result.writeVerdict(Output::Mod3, mod3);
  result.writeVerdict(Output::FrontBack, (wins & 0x8000U) != 0 ? Verdict::Front : Verdict::Back);
}

}  // namespace

PassResult runFastPass(const PlainGrid& v) {
  PassResult result;
  const DigitVotes& votes =
      kDigitVotes[(rowChoice(v[0]) * kRowChoices + rowChoice(v[1])) * kRowChoices +
                  rowChoice(v[2])];
  SumSet penalised = (~votes.atLeastOne & kAllSums) | rangePenalties(v);
  result.writeList(Output::PredictedRange, ~penalised & kAllSums);
  penalised |= keyPenalties(v);
  result.writeList(Output::KeyRange, ~penalised & kAllSums);
  penalised |= ~votes.atLeastTwo & kAllSums;
  result.writeList(Output::ExtremeNumbers, ~penalised & kAllSums);

  // The first product above 32767 stops the pass before any verdict.
  const Products products = attributeProducts(v);
  unsigned largest = 0;
  for (const unsigned product : products) largest = std::max(largest, product);
  if (largest > kProductLimit) {
    const auto tooLarge = std::find_if(products.begin(), products.end(),
                                       [](unsigned product) { return product > kProductLimit; });
    result.failure = Failure::Overflow;
    result.cause = kAttributeProducts[static_cast<std::size_t>(tooLarge - products.begin())];
    return result;
  }
  writeVerdicts(products, votes.mod3, result);
  return result;
}

}  // namespace quorvel::engine
