#include "quorvel/backtest/replay.h"

#include <algorithm>

namespace quorvel::backtest {

namespace {

constexpr std::array<int, engine::kSumCount> kTriples = [] {
  std::array<int, engine::kSumCount> triples{};
  for (int a = 0; a <= 9; ++a) {
    for (int b = 0; b <= 9; ++b) {
      for (int c = 0; c <= 9; ++c) ++triples[static_cast<std::size_t>(a + b + c)];
    }
  }
  return triples;
}();

// The sums each verdict holds for, and the triples behind them.
constexpr std::array<engine::SumSet, engine::kVerdictValues> kVerdictSums = [] {
  std::array<engine::SumSet, engine::kVerdictValues> sums{};
  for (std::size_t v = 0; v < sums.size(); ++v) {
    for (int s = 0; s < engine::kSumCount; ++s) {
      if (engine::verdictHolds(static_cast<engine::Verdict>(v), s))
        sums[v] |= engine::SumSet{1} << s;
    }
  }
  return sums;
}();

// A list's chance and size, looked up a block of seven sums at a time: a permutation test weighs
// three lists a pass, millions of times.
struct ListWeight {
  int chance = 0;
  int size = 0;
};
constexpr int kBlockSums = 7;
constexpr engine::SumSet kBlockMask = (engine::SumSet{1} << kBlockSums) - 1;
using BlockWeights =
    std::array<std::array<ListWeight, kBlockMask + 1>, engine::kSumCount / kBlockSums>;
constexpr BlockWeights kBlockWeights = [] {
  BlockWeights weights{};
  for (std::size_t block = 0; block < weights.size(); ++block) {
    for (std::size_t bits = 0; bits <= kBlockMask; ++bits) {
      for (std::size_t k = 0; k < kBlockSums; ++k) {
        if ((bits >> k & 1U) == 0) continue;
        weights[block][bits].chance += kTriples[block * kBlockSums + k];
        ++weights[block][bits].size;
      }
    }
  }
  return weights;
}();

constexpr ListWeight weigh(engine::SumSet list) {
  static_assert(kBlockWeights.size() == 4);
  const ListWeight& a = kBlockWeights[0][list & kBlockMask];
  const ListWeight& b = kBlockWeights[1][list >> kBlockSums & kBlockMask];
  const ListWeight& c = kBlockWeights[2][list >> 2 * kBlockSums & kBlockMask];
  const ListWeight& d = kBlockWeights[3][list >> 3 * kBlockSums & kBlockMask];
  return {a.chance + b.chance + c.chance + d.chance, a.size + b.size + c.size + d.size};
}

constexpr std::array<int, engine::kVerdictValues> kVerdictChance = [] {
  std::array<int, engine::kVerdictValues> chance{};
  for (std::size_t v = 0; v < chance.size(); ++v) chance[v] = weigh(kVerdictSums[v]).chance;
  return chance;
}();

}  // namespace

int sumTriples(int s) {
  return s >= 0 && s < engine::kSumCount ? kTriples[static_cast<std::size_t>(s)] : 0;
}

int listChance(engine::SumSet list) { return weigh(list).chance; }

int verdictChance(engine::Verdict verdict) {
  return kVerdictChance[static_cast<std::size_t>(verdict)];
}

std::array<Call, engine::kOutputs> scoreCalls(const engine::PassResult& result, int sum) {
  std::array<Call, engine::kOutputs> calls{};
  for (std::size_t i = 0; i < engine::kLists; ++i) {
    const engine::Output output = engine::kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const engine::SumSet list = result.list(output);
    const ListWeight weight = weigh(list);
    calls[i] = {true, false, engine::contains(list, sum), weight.chance, weight.size};
  }
  for (std::size_t i = engine::kLists; i < engine::kOutputs; ++i) {
    const engine::Output output = engine::kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const auto verdict = static_cast<std::size_t>(result.verdict(output));
    const bool noCall = verdict == static_cast<std::size_t>(engine::Verdict::NoCall);
    calls[i] = {!noCall, noCall, engine::contains(kVerdictSums[verdict], sum),
                kVerdictChance[verdict], 0};
  }
  return calls;
}

GridRow gridRow(const Draw& draw) {
  return {static_cast<std::uint16_t>(draw.digits[0]), static_cast<std::uint16_t>(draw.digits[1]),
          static_cast<std::uint16_t>(draw.digits[2]), static_cast<std::uint16_t>(draw.sum())};
}

Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next) {
  // The numbers a user types, passed as numbers: the pass gives what their texts would give.
  engine::PlainGrid cells;
  const Draw* rows[engine::kGridPeriods] = {&latest, &previous, &oldest};
  for (std::size_t p = 0; p < engine::kGridPeriods; ++p) {
    const GridRow row = gridRow(*rows[p]);
    std::copy(row.begin(), row.end(), cells.begin() + static_cast<std::ptrdiff_t>(4 * p));
  }
  Replayed out{next.period, next.sum(), engine::runPredictionPass(cells), {}};
  out.calls = scoreCalls(out.result, out.sum);
  return out;
}

}  // namespace quorvel::backtest
