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
#include <charconv>
#include <cstdint>
#include <utility>

#include "sum_votes.h"
#include "tail_votes.h"
#include "weight_rules.h"

namespace quorvel {
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
    v.mod3 = weight[0] > weight[1] && weight[0] > weight[2]   ? Verdict::Mod3Is0
             : weight[1] > weight[0] && weight[1] > weight[2] ? Verdict::Mod3Is1
             : weight[2] > weight[0] && weight[2] > weight[1] ? Verdict::Mod3Is2
                                                              : Verdict::NoCall;
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

// The sum of tail combination C's cells, its cells known when compiling.
template <std::size_t C>
unsigned tailSum(const std::array<unsigned, kGridCells>& v) {
  constexpr FailureCause kCombination = kTailCombinations[C];
  return [&]<std::size_t... J>(std::index_sequence<J...>) {
    return ((J < kCombination.cellCount ? v[kCombination.cellIndices[J]] : 0U) + ...);
  }
  (std::make_index_sequence<kCombination.cellIndices.size()>{});
}

std::size_t rowChoice(unsigned digit) { return digit <= 9 ? digit : 10; }

// The pass over texts, for a plain grid with a value beyond 9999.
PassResult passOverTexts(const PlainGrid& cells) {
  std::array<char, kGridCells * 6> buffer;
  GridTexts texts;
  char* next = buffer.data();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const auto written = std::to_chars(next, next + 6, cells[i]);
    texts[i] = std::string_view(next, static_cast<std::size_t>(written.ptr - next));
    next = written.ptr;
  }
  return runReferencePass(texts);
}

}  // namespace

PassResult runPredictionPass(const PlainGrid& cells) {
  std::array<unsigned, kGridCells> v;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (cells[i] > kPlainCellMax) return passOverTexts(cells);
    v[i] = cells[i];
  }
  return runFastPass(v);
}

PassResult runFastPass(const std::array<unsigned, kGridCells>& v) {
  PassResult result;
  const DigitVotes& votes =
      kDigitVotes[(rowChoice(v[0]) * kRowChoices + rowChoice(v[1])) * kRowChoices +
                  rowChoice(v[2])];
  SumSet penalised = ~votes.atLeastOne & kAllSums;

  // The range rules. The tail votes are counted in one nibble per digit; a digit is hot with
  // five or more of the eight, so at most one is, and adding 3 carries its nibble into bit 3.
  static_assert(kHotTailVotes == 4 && kTailCombinations.size() == 8);
  std::uint64_t tailVotes = 0;
  unsigned thirdColumnTail = 0;
  [&]<std::size_t... C>(std::index_sequence<C...>) {
    ((thirdColumnTail = tailSum<C>(v) % 10, tailVotes += std::uint64_t{1} << (4 * thirdColumnTail)),
     ...);
  }
  (std::make_index_sequence<kTailCombinations.size()>{});
  const std::uint64_t hot = (tailVotes + 0x3333333333ULL) & 0x8888888888ULL;
  if (hot != 0) penalised |= kSumsEndingIn[static_cast<std::size_t>(std::countr_zero(hot) / 4)];
  penalised |= kLatestSumTailPenalties[v[3] % 10];
  penalised |= kThirdColumnTailByDigit[thirdColumnTail];
  penalised |= kDiagParityAPenalties[(v[0] + v[5] + v[10]) % 2];
  penalised |= kDiagParityBPenalties[(v[2] + v[5] + v[8]) % 2];
  penalised |= kZodiacPenalties[v[3] % 12];
  result.lists[0] = ~penalised & kAllSums;

  // The key rules.
  penalised |= kSumsEndingIn[v[3] * v[7] % 10];
  penalised |= kSumsByRemainder12[(v[0] + v[4]) % 12];
  penalised |= kSumsByRemainder12[(v[3] + v[7]) % 12];
  result.lists[1] = ~penalised & kAllSums;

  // The extreme rule.
  penalised |= ~votes.atLeastTwo & kAllSums;
  result.lists[2] = ~penalised & kAllSums;
  result.written = kListBoxes;

  // Product 3k + p is digit k of period p times the sum of period k; the first above 32767
  // stops the pass before any verdict. When the largest digit times the largest sum fits, all do.
  const unsigned largestDigit = std::max({v[0], v[1], v[2], v[4], v[5], v[6], v[8], v[9], v[10]});
  if (largestDigit * std::max({v[3], v[7], v[11]}) > kProductLimit) {
    for (unsigned k = 0; k < 3; ++k) {
      for (unsigned p = 0; p < 3; ++p) {
        if (v[4 * p + k] * v[4 * k + 3] <= kProductLimit) continue;
        result.failure = Failure::Overflow;
        result.cause = {FailureStep::AttributeProducts,
                        CellCombination::Product,
                        {static_cast<int>(4 * p + k), static_cast<int>(4 * k + 3)}};
        return result;
      }
    }
  }
  // The four classes of each product are counted in one nibble each; nine votes never tie, and
  // the first class wins with five, which adding 3 carries into the nibble's bit 3.
  unsigned classVotes = 0;
  for (unsigned k = 0; k < 3; ++k) {
    for (unsigned p = 0; p < 3; ++p) classVotes += kProductClasses[v[4 * p + k] * v[4 * k + 3]];
  }
  const unsigned wins = (classVotes + 0x3333U) & 0x8888U;
  result.verdicts[0] = (wins & 0x0008U) != 0 ? Verdict::Middle : Verdict::Edge;
  result.verdicts[1] = (wins & 0x0080U) != 0 ? Verdict::Big : Verdict::Small;
  result.verdicts[2] = (wins & 0x0800U) != 0 ? Verdict::Even : Verdict::Odd;
  result.verdicts[4] = votes.mod3;
  result.verdicts[3] = (wins & 0x8000U) != 0 ? Verdict::Front : Verdict::Back;
  result.written = kOutputBoxes;
  return result;
}

}  // namespace quorvel
