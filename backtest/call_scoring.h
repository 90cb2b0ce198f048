#pragma once

// How the outputs of a pass are scored against the sum drawn, written once for the replay and for
// the shuffles' loop, which inlines it: the sums each verdict holds for, and the chance, size and
// expected return of a list.

#include <array>
#include <cstdint>

#include "quorvel/backtest/call.h"
#include "quorvel/engine/pass_result.h"
#include "quorvel/engine/verdict.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::backtest::scoring {

// The sums each verdict holds for.
inline constexpr std::array<engine::SumSet, engine::kVerdictValues> kVerdictSums = [] {
  std::array<engine::SumSet, engine::kVerdictValues> sums{};
  for (std::size_t v = 0; v < sums.size(); ++v) {
    for (int s = 0; s < engine::kSumCount; ++s) {
      if (engine::verdictHolds(static_cast<engine::Verdict>(v), s))
        sums[v] |= engine::SumSet{1} << s;
    }
  }
  return sums;
}();

// A list's chance, size and expected return, looked up a block of seven sums at a time: a
// permutation test weighs three lists a pass, millions of times. The three are packed in one
// word a block, so that a list takes four lookups and three additions: the chance in the low 10
// bits, the size in the next 5, the expected return in thousandths of a yuan in the top 15. No
// field of a sum of blocks carries into the next, since even the list of all 28 sums has a chance
// of 1000, a size of 28 and an expected return under 2^15.
struct ListWeight {
  int chance = 0;
  int size = 0;
  int expectedMills = 0;
};
inline constexpr int kBlockSums = 7;
inline constexpr engine::SumSet kBlockMask = (engine::SumSet{1} << kBlockSums) - 1;
inline constexpr int kSizeShift = 10, kExpectedShift = 15;
using BlockWeights =
    std::array<std::array<std::uint32_t, kBlockMask + 1>, engine::kSumCount / kBlockSums>;
inline constexpr BlockWeights kBlockWeights = [] {
  BlockWeights weights{};
  for (std::size_t block = 0; block < weights.size(); ++block) {
    for (std::size_t bits = 0; bits <= kBlockMask; ++bits) {
      for (std::size_t k = 0; k < kBlockSums; ++k) {
        if ((bits >> k & 1U) == 0) continue;
        const int sum = static_cast<int>(block * kBlockSums + k);
        weights[block][bits] +=
            static_cast<std::uint32_t>(game::ways(sum)) + (1U << kSizeShift) +
            (static_cast<std::uint32_t>(game::expectedReturnMills(sum)) << kExpectedShift);
      }
    }
  }
  return weights;
}();
static_assert((kBlockWeights[0][kBlockMask] + kBlockWeights[1][kBlockMask] +
               kBlockWeights[2][kBlockMask] + kBlockWeights[3][kBlockMask]) >>
              kExpectedShift < (1U << (32 - kExpectedShift)));

inline constexpr ListWeight weigh(engine::SumSet list) {
  static_assert(kBlockWeights.size() == 4);
  const std::uint32_t packed = kBlockWeights[0][list & kBlockMask] +
                               kBlockWeights[1][list >> kBlockSums & kBlockMask] +
                               kBlockWeights[2][list >> 2 * kBlockSums & kBlockMask] +
                               kBlockWeights[3][list >> 3 * kBlockSums & kBlockMask];
  return {static_cast<int>(packed & ((1U << kSizeShift) - 1)),
          static_cast<int>(packed >> kSizeShift & ((1U << (kExpectedShift - kSizeShift)) - 1)),
          static_cast<int>(packed >> kExpectedShift)};
}

inline constexpr std::array<int, engine::kVerdictValues> kVerdictChance = [] {
  std::array<int, engine::kVerdictValues> chance{};
  for (std::size_t v = 0; v < chance.size(); ++v) chance[v] = weigh(kVerdictSums[v]).chance;
  return chance;
}();

// The prize a winning bet on each sum pays, in thousandths of a yuan, for the hot loop.
inline constexpr std::array<int, engine::kSumCount> kPrizes = [] {
  std::array<int, engine::kSumCount> prizes{};
  for (int s = 0; s < engine::kSumCount; ++s)
    prizes[static_cast<std::size_t>(s)] = 1000 * game::prizeYuan(s);
  return prizes;
}();

// scoreCalls, inline for the shuffles' loop.
inline std::array<Call, engine::kOutputs> scoredCalls(const engine::PassResult& result, int sum) {
  std::array<Call, engine::kOutputs> calls{};
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    const engine::Output output = engine::kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const engine::SumSet list = result.list(output);
    const ListWeight weight = weigh(list);
    const bool hit = engine::contains(list, sum);
    calls[i] = {true,
                false,
                hit,
                static_cast<std::uint8_t>(weight.size),
                static_cast<std::int16_t>(weight.chance),
                kPrizes[static_cast<std::size_t>(sum)] * hit,
                weight.expectedMills};
  }
  for (std::size_t i = engine::kLists; i < engine::kOutputs; ++i) {
    const engine::Output output = engine::kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const auto verdict = static_cast<std::size_t>(result.verdict(output));
    const bool noCall = verdict == static_cast<std::size_t>(engine::Verdict::NoCall);
    calls[i] = {!noCall, noCall, engine::contains(kVerdictSums[verdict], sum), 0,
                static_cast<std::int16_t>(kVerdictChance[verdict])};
  }
  return calls;
}

}  // namespace quorvel::backtest::scoring
