#pragma once

// How the outputs of a pass are scored against the sum drawn, written once for the replay and for
// the shuffles' loop, which inlines it: the sums each verdict holds for, and the chance, size and
// expected return of a list.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "quorvel/backtest/call.h"
#include "quorvel/engine/pass_result.h"
#include "quorvel/engine/verdict.h"
#include "quorvel/game/game.h"
#include "quorvel/game/odds.h"

namespace quorvel::backtest::scoring {

// The sums each verdict holds for.
inline constexpr std::array<engine::SumSet, engine::kVerdictValues> kVerdictSums = [] {
  std::array<engine::SumSet, engine::kVerdictValues> sums{};
  for (std::size_t v = 0; v < sums.size(); ++v) sums[v] = game::verdictSums(static_cast<engine::Verdict>(v));
  return sums;
}();

// A list's chance, size, stake and expected return in a game, looked up a block of seven sums at a
// time: a permutation test weighs three lists a pass, millions of times. The four are packed in
// one word a block, so that a list takes four lookups and three additions: the chance in the low
// 10 bits, the size in the next 5, the stake in yuan in the next 12, the expected return in
// thousandths of a yuan in the top 37. No field of a sum of blocks carries into the next, since
// even the list of all 28 sums has a chance of 1000 and a size of 28, and a stake and a return
// far below their fields' limits in any game whose bets cost under 4096 yuan together.
struct ListWeight {
  int chance = 0;
  int size = 0;
  int stakeYuan = 0;
  int expectedMills = 0;
};
inline constexpr int kBlockSums = 7;
inline constexpr engine::SumSet kBlockMask = (engine::SumSet{1} << kBlockSums) - 1;
inline constexpr int kSizeShift = 10, kStakeShift = 15, kExpectedShift = 27;
using BlockWeights =
    std::array<std::array<std::uint64_t, kBlockMask + 1>, engine::kSumCount / kBlockSums>;

// A game's tables: the packed weights of its lists and the prize of each sum, in thousandths of
// a yuan, for the hot loop.
struct ScoringTables {
  BlockWeights blocks{};
  std::array<int, engine::kSumCount> prizes{};
};

constexpr ScoringTables scoringTables(const game::SumBet& bet) {
  ScoringTables tables;
  for (std::size_t block = 0; block < tables.blocks.size(); ++block) {
    for (std::size_t bits = 0; bits <= kBlockMask; ++bits) {
      for (std::size_t k = 0; k < kBlockSums; ++k) {
        if ((bits >> k & 1U) == 0) continue;
        const int sum = static_cast<int>(block * kBlockSums + k);
        tables.blocks[block][bits] +=
            static_cast<std::uint64_t>(game::ways(sum)) + (std::uint64_t{1} << kSizeShift) +
            (static_cast<std::uint64_t>(bet.stake(sum)) << kStakeShift) +
            (static_cast<std::uint64_t>(bet.expectedReturnMills(sum)) << kExpectedShift);
      }
    }
  }
  for (int s = 0; s < engine::kSumCount; ++s)
    tables.prizes[static_cast<std::size_t>(s)] = 1000 * bet.prize(s);
  return tables;
}

// Every known game's tables, made when the program is built.
inline constexpr std::array<ScoringTables, game::kGames.size()> kGameTables = [] {
  std::array<ScoringTables, game::kGames.size()> tables{};
  for (std::size_t g = 0; g < tables.size(); ++g) tables[g] = scoringTables(game::kGames[g]->sumBet);
  return tables;
}();
constexpr bool stakesFit() {
  for (const game::Game* g : game::kGames) {
    if (game::listOdds((engine::SumSet{1} << engine::kSumCount) - 1, g->sumBet).stakeYuan >=
        (1 << (kExpectedShift - kStakeShift)))
      return false;
  }
  return true;
}
static_assert(stakesFit());
inline constexpr const ScoringTables& kWelfare3DTables = kGameTables[0];

// The tables of `game`, one of game::kGames.
inline const ScoringTables& tablesFor(const game::Game& game) {
  for (std::size_t g = 0; g < game::kGames.size(); ++g) {
    if (game::kGames[g] == &game) return kGameTables[g];
  }
  throw std::invalid_argument("no scoring tables for the game " + std::string(game.id));
}

constexpr ListWeight weigh(engine::SumSet list, const ScoringTables& tables) {
  static_assert(BlockWeights{}.size() == 4);
  const BlockWeights& blocks = tables.blocks;
  const std::uint64_t packed = blocks[0][list & kBlockMask] +
                               blocks[1][list >> kBlockSums & kBlockMask] +
                               blocks[2][list >> 2 * kBlockSums & kBlockMask] +
                               blocks[3][list >> 3 * kBlockSums & kBlockMask];
  const auto field = [packed](int shift, int bits) {
    return static_cast<int>(packed >> shift & ((std::uint64_t{1} << bits) - 1));
  };
  return {field(0, kSizeShift), field(kSizeShift, kStakeShift - kSizeShift),
          field(kStakeShift, kExpectedShift - kStakeShift), static_cast<int>(packed >> kExpectedShift)};
}

inline constexpr std::array<int, engine::kVerdictValues> kVerdictChance = [] {
  std::array<int, engine::kVerdictValues> chance{};
  for (std::size_t v = 0; v < chance.size(); ++v)
    chance[v] = weigh(kVerdictSums[v], kWelfare3DTables).chance;
  return chance;
}();

// scoreCalls, inline for the shuffles' loop.
inline std::array<Call, engine::kOutputs> scoredCalls(const engine::PassResult& result, int sum,
                                                      const ScoringTables& tables) {
  std::array<Call, engine::kOutputs> calls{};
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    const engine::Output output = engine::kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const engine::SumSet list = result.list(output);
    const ListWeight weight = weigh(list, tables);
    const bool hit = engine::contains(list, sum);
    calls[i] = {true,
                false,
                hit,
                static_cast<std::uint8_t>(weight.size),
                static_cast<std::int16_t>(weight.chance),
                static_cast<std::int16_t>(weight.stakeYuan),
                tables.prizes[static_cast<std::size_t>(sum)] * hit,
                weight.expectedMills};
  }
  for (std::size_t i = engine::kLists; i < engine::kOutputs; ++i) {
    const engine::Output output = engine::kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const auto verdict = static_cast<std::size_t>(result.verdict(output));
    const bool noCall = verdict == static_cast<std::size_t>(engine::Verdict::NoCall);
    calls[i] = {!noCall, noCall, engine::contains(kVerdictSums[verdict], sum), 0,
                static_cast<std::int16_t>(kVerdictChance[verdict]), 0};
  }
  return calls;
}

}  // namespace quorvel::backtest::scoring
