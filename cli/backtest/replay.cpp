#include "replay.h"

#include <cmath>
#include <string>

namespace quorvel::backtest {

const std::array<const char*, kOutputs> kOutputNames = {
    "predicted range", "key range", "extreme numbers", "middle/edge",
    "big/small",       "odd/even",  "front/back",      "mod 3"};

namespace {

// How many of the 1000 digit triples have each sum.
constexpr std::array<int, kSumCount> kTriples = [] {
  std::array<int, kSumCount> triples{};
  for (int a = 0; a <= 9; ++a) {
    for (int b = 0; b <= 9; ++b) {
      for (int c = 0; c <= 9; ++c) ++triples[static_cast<std::size_t>(a + b + c)];
    }
  }
  return triples;
}();

}  // namespace

double sumProbability(int s) {
  return s >= 0 && s < kSumCount ? kTriples[static_cast<std::size_t>(s)] / 1000.0 : 0.0;
}

double verdictChance(Verdict verdict) {
  double chance = 0;
  for (int s = 0; s < kSumCount; ++s) chance += verdictHolds(verdict, s) ? sumProbability(s) : 0;
  return chance;
}

namespace {

const std::array<double, 12> kVerdictChance = [] {
  std::array<double, 12> chance{};
  for (std::size_t v = 0; v < chance.size(); ++v)
    chance[v] = verdictChance(static_cast<Verdict>(v));
  return chance;
}();

}  // namespace

Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next) {
  GridStrings cells;
  const Draw* rows[3] = {&latest, &previous, &oldest};
  for (std::size_t p = 0; p < 3; ++p) {
    for (std::size_t k = 0; k < 3; ++k) cells[4 * p + k] = std::to_string(rows[p]->digits[k]);
    cells[4 * p + 3] = std::to_string(rows[p]->sum());
  }
  Replayed out{next.period, next.sum(), runPredictionPass(viewsOf(cells)), {}};
  for (std::size_t i = 0; i < 3; ++i) {
    Call& call = out.calls[i];
    if (!out.result.isWritten(static_cast<OutputBox>(i))) continue;
    const SumSet list = out.result.lists[i];
    call.made = true;
    call.hit = contains(list, out.sum);
    for (int s = 0; s < kSumCount; ++s) {
      if (contains(list, s)) {
        call.chance += sumProbability(s);
        ++call.listSize;
      }
    }
  }
  for (std::size_t v = 0; v < 5; ++v) {
    Call& call = out.calls[3 + v];
    if (!out.result.isWritten(static_cast<OutputBox>(3 + v))) continue;
    const Verdict verdict = out.result.verdicts[v];
    call.noCall = verdict == Verdict::NoCall;
    call.made = !call.noCall;
    call.hit = verdictHolds(verdict, out.sum);
    call.chance = call.made ? kVerdictChance[static_cast<std::size_t>(verdict)] : 0;
  }
  return out;
}

namespace {

void closeRun(int& length, RunLengths& runs) {
  if (length > 0) ++runs.hits[length];
  if (length < 0) ++runs.misses[-length];
  length = 0;
}

}  // namespace

void Summary::add(const Replayed& replayed) {
  ++replays_;
  for (std::size_t i = 0; i < outputs_.size(); ++i) {
    const Call& call = replayed.calls[i];
    OutputSummary& summary = outputs_[i];
    summary.noCalls += call.noCall;
    if (!call.made) continue;
    ++summary.calls;
    summary.hits += call.hit;
    summary.chanceSum += call.chance;
    summary.listSizeSum += call.listSize;
    int& length = runLength_[i];
    if ((length > 0) != call.hit && length != 0) closeRun(length, summary.runs);
    length += call.hit ? 1 : -1;
  }
}

void Summary::finish() {
  for (std::size_t i = 0; i < outputs_.size(); ++i) closeRun(runLength_[i], outputs_[i].runs);
}

std::pair<double, double> wilsonInterval(long long hits, long long calls) {
  if (calls == 0) return {0, 0};
  constexpr double z = 1.959963984540054;
  const double n = static_cast<double>(calls);
  const double p = static_cast<double>(hits) / n;
  const double centre = (p + z * z / (2 * n)) / (1 + z * z / n);
  const double half = z / (1 + z * z / n) * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n));
  return {centre - half, centre + half};
}

double expectedRuns(int length, long long trials, double p) {
  const double k = length;
  const double n = static_cast<double>(trials);
  if (length > trials) return 0;
  if (length == trials) return std::pow(p, k);
  // A run at either end has one neighbour that must fail, one inside has two.
  return 2 * std::pow(p, k) * (1 - p) + (n - k - 1) * std::pow(p, k) * (1 - p) * (1 - p);
}

}  // namespace quorvel::backtest
