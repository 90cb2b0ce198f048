#include "quorvel/backtest/summary.h"

namespace quorvel::backtest {
namespace {

void closeRun(int& run, RunLengths& runs) {
  if (run > 0) ++runs.hits[run];
  if (run < 0) ++runs.misses[-run];
  run = 0;
}

// Extends the open run by `call`, first closing the run it ends.
void extendRun(const Call& call, int& run, RunLengths& runs) {
  if ((run > 0) != call.hit) closeRun(run, runs);
  run += call.hit ? 1 : -1;
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
    extendRun(call, openRuns_[i], summary.runs);
    ++summary.calls;
    summary.hits += call.hit;
    summary.chanceThousandths += call.chanceThousandths;
    summary.listSizeSum += call.listSize;
  }
}

void Summary::finish() {
  for (std::size_t i = 0; i < outputs_.size(); ++i) {
    outputs_[i].tally.finish();
    closeRun(openRuns_[i], outputs_[i].runs);
  }
}

}  // namespace quorvel::backtest
