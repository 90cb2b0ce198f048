#include "quorvel/backtest/summary.h"

namespace quorvel::backtest {

int Tally::add(const Call& call) {
  if (!call.made) return 0;
  excess_ += (call.hit ? 1000 : 0) - call.chanceThousandths;
  const int closed = run_ != 0 && (run_ > 0) != call.hit ? closeRun() : 0;
  run_ += call.hit ? 1 : -1;
  return closed;
}

int Tally::finish() { return run_ != 0 ? closeRun() : 0; }

int Tally::closeRun() {
  const int closed = run_;
  if (run_ > 0) {
    hitRunBefore_ = run_;
  } else {
    const int misses = -run_;
    if ((misses == 1 || misses == 2) && (hitRunBefore_ == 4 || hitRunBefore_ == 5)) ++patterns_;
    hitRunBefore_ = 0;
  }
  run_ = 0;
  return closed;
}

namespace {

void record(int closedRun, RunLengths& runs) {
  if (closedRun > 0) ++runs.hits[closedRun];
  if (closedRun < 0) ++runs.misses[-closedRun];
}

}  // namespace

void Summary::add(const Replayed& replayed) {
  ++replays_;
  for (std::size_t i = 0; i < outputs_.size(); ++i) {
    const Call& call = replayed.calls[i];
    OutputSummary& summary = outputs_[i];
    record(summary.tally.add(call), summary.runs);
    summary.noCalls += call.noCall;
    if (!call.made) continue;
    ++summary.calls;
    summary.hits += call.hit;
    summary.chanceThousandths += call.chanceThousandths;
    summary.listSizeSum += call.listSize;
  }
}

void Summary::finish() {
  for (OutputSummary& summary : outputs_) record(summary.tally.finish(), summary.runs);
}

}  // namespace quorvel::backtest
