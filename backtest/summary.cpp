#include "summary.h"

namespace quorvel::backtest {

void Tally::add(const Call& call) {
  if (!call.made) return;
  excess_ += (call.hit ? 1000 : 0) - call.chanceThousandths;
  if (run_ != 0 && (run_ > 0) != call.hit) closeRun();
  run_ += call.hit ? 1 : -1;
}

void Tally::finish() {
  if (run_ != 0) closeRun();
}

void Tally::closeRun() {
  if (run_ > 0) {
    hitRunBefore_ = run_;
  } else {
    const int misses = -run_;
    if ((misses == 1 || misses == 2) && (hitRunBefore_ == 4 || hitRunBefore_ == 5)) ++patterns_;
    hitRunBefore_ = 0;
  }
  run_ = 0;
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
    summary.tally.add(call);
    summary.noCalls += call.noCall;
    if (!call.made) continue;
    ++summary.calls;
    summary.hits += call.hit;
    summary.chanceThousandths += call.chanceThousandths;
    summary.listSizeSum += call.listSize;
    int& length = runLength_[i];
    if ((length > 0) != call.hit && length != 0) closeRun(length, summary.runs);
    length += call.hit ? 1 : -1;
  }
}

void Summary::finish() {
  for (std::size_t i = 0; i < outputs_.size(); ++i) {
    closeRun(runLength_[i], outputs_[i].runs);
    outputs_[i].tally.finish();
  }
}

}  // namespace quorvel::backtest
