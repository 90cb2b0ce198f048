#include "quorvel/backtest/replay.h"

#include <bit>

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

constexpr std::array<int, kVerdictValues> kVerdictChance = [] {
  std::array<int, kVerdictValues> chance{};
  for (std::size_t v = 0; v < chance.size(); ++v) {
    for (int s = 0; s < kSumCount; ++s) {
      if (verdictHolds(static_cast<Verdict>(v), s))
        chance[v] += kTriples[static_cast<std::size_t>(s)];
    }
  }
  return chance;
}();

}  // namespace

int sumTriples(int s) {
  return s >= 0 && s < kSumCount ? kTriples[static_cast<std::size_t>(s)] : 0;
}

int listChance(SumSet list) {
  int chance = 0;
  for (list &= (SumSet{1} << kSumCount) - 1; list != 0; list &= list - 1) {
    chance += kTriples[static_cast<std::size_t>(std::countr_zero(list))];
  }
  return chance;
}

int verdictChance(Verdict verdict) { return kVerdictChance[static_cast<std::size_t>(verdict)]; }

Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next) {
  // The numbers a user types, passed as numbers: the pass gives what their texts would give.
  PlainGrid cells;
  const Draw* rows[kGridPeriods] = {&latest, &previous, &oldest};
  for (std::size_t p = 0; p < kGridPeriods; ++p) {
    for (std::size_t k = 0; k < 3; ++k) {
      cells[4 * p + k] = static_cast<std::uint16_t>(rows[p]->digits[k]);
    }
    cells[4 * p + 3] = static_cast<std::uint16_t>(rows[p]->sum());
  }
  Replayed out{next.period, next.sum(), runPredictionPass(cells), {}};
  for (const Output output : kAllOutputs) {
    if (!out.result.isWritten(output)) continue;
    Call& call = out.calls[static_cast<std::size_t>(output)];
    if (isList(output)) {
      const SumSet list = out.result.list(output);
      call.made = true;
      call.hit = contains(list, out.sum);
      call.chanceThousandths = listChance(list);
      call.listSize = std::popcount(list);
    } else {
      const Verdict verdict = out.result.verdict(output);
      call.noCall = verdict == Verdict::NoCall;
      call.made = !call.noCall;
      call.hit = verdictHolds(verdict, out.sum);
      call.chanceThousandths = call.made ? verdictChance(verdict) : 0;
    }
  }
  return out;
}

}  // namespace quorvel::backtest
