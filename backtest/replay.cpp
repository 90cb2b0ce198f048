#include "quorvel/backtest/replay.h"

#include <algorithm>

namespace quorvel::backtest {

const std::array<const char*, kOutputs> kOutputNames = {
    "predicted range", "key range", "extreme numbers", "middle/edge",
    "big/small",       "odd/even",  "front/back",      "mod 3"};

namespace {

constexpr std::array<int, kSumCount> kTriples = [] {
  std::array<int, kSumCount> triples{};
  for (int a = 0; a <= 9; ++a) {
    for (int b = 0; b <= 9; ++b) {
      for (int c = 0; c <= 9; ++c) ++triples[static_cast<std::size_t>(a + b + c)];
    }
  }
  return triples;
}();

// The sums each verdict holds for, and the triples behind them.
constexpr std::array<SumSet, kVerdictValues> kVerdictSums = [] {
  std::array<SumSet, kVerdictValues> sums{};
  for (std::size_t v = 0; v < sums.size(); ++v) {
    for (int s = 0; s < kSumCount; ++s) {
      if (verdictHolds(static_cast<Verdict>(v), s)) sums[v] |= SumSet{1} << s;
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
constexpr SumSet kBlockMask = (SumSet{1} << kBlockSums) - 1;
using BlockWeights = std::array<std::array<ListWeight, kBlockMask + 1>, kSumCount / kBlockSums>;
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

constexpr ListWeight weigh(SumSet list) {
  static_assert(kBlockWeights.size() == 4);
  const ListWeight& a = kBlockWeights[0][list & kBlockMask];
  const ListWeight& b = kBlockWeights[1][list >> kBlockSums & kBlockMask];
  const ListWeight& c = kBlockWeights[2][list >> 2 * kBlockSums & kBlockMask];
  const ListWeight& d = kBlockWeights[3][list >> 3 * kBlockSums & kBlockMask];
  return {a.chance + b.chance + c.chance + d.chance, a.size + b.size + c.size + d.size};
}

constexpr std::array<int, kVerdictValues> kVerdictChance = [] {
  std::array<int, kVerdictValues> chance{};
  for (std::size_t v = 0; v < chance.size(); ++v) chance[v] = weigh(kVerdictSums[v]).chance;
  return chance;
}();

}  // namespace

int sumTriples(int s) {
  return s >= 0 && s < kSumCount ? kTriples[static_cast<std::size_t>(s)] : 0;
}

int listChance(SumSet list) { return weigh(list).chance; }

int verdictChance(Verdict verdict) { return kVerdictChance[static_cast<std::size_t>(verdict)]; }

std::array<Call, kOutputs> scoreCalls(const PassResult& result, int sum) {
  std::array<Call, kOutputs> calls{};
  for (std::size_t i = 0; i < kLists; ++i) {
    const Output output = kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const SumSet list = result.list(output);
    const ListWeight weight = weigh(list);
    calls[i] = {true, false, contains(list, sum), weight.chance, weight.size};
  }
  for (std::size_t i = kLists; i < kOutputs; ++i) {
    const Output output = kAllOutputs[i];
    if (!result.isWritten(output)) continue;
    const auto verdict = static_cast<std::size_t>(result.verdict(output));
    const bool noCall = verdict == static_cast<std::size_t>(Verdict::NoCall);
    calls[i] = {!noCall, noCall, contains(kVerdictSums[verdict], sum), kVerdictChance[verdict], 0};
  }
  return calls;
}

GridRow gridRow(const Draw& draw) {
  return {static_cast<std::uint16_t>(draw.digits[0]), static_cast<std::uint16_t>(draw.digits[1]),
          static_cast<std::uint16_t>(draw.digits[2]), static_cast<std::uint16_t>(draw.sum())};
}

Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next) {
  // The numbers a user types, passed as numbers: the pass gives what their texts would give.
  PlainGrid cells;
  const Draw* rows[kGridPeriods] = {&latest, &previous, &oldest};
  for (std::size_t p = 0; p < kGridPeriods; ++p) {
    const GridRow row = gridRow(*rows[p]);
    std::copy(row.begin(), row.end(), cells.begin() + static_cast<std::ptrdiff_t>(4 * p));
  }
  Replayed out{next.period, next.sum(), runPredictionPass(cells), {}};
  out.calls = scoreCalls(out.result, out.sum);
  return out;
}

}  // namespace quorvel::backtest
