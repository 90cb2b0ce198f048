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
  if (replays_++ == 0) firstPeriod_ = replayed.period;
  const int year = periodYear(replayed.period);
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
    if (i >= engine::kLists) continue;
    const auto stake = static_cast<double>(call.stakeYuan);
    const double returned = call.returnedMills / 1000.0;
    summary.money.stakeYuan += call.stakeYuan;
    summary.money.returnedYuan += call.returnedMills / 1000;
    summary.money.passes += 1;
    summary.expectedReturnMills += call.expectedMills;
    summary.stakeSquares += stake * stake;
    summary.returnSquares += returned * returned;
    summary.stakeReturns += stake * returned;
    if (year != 0) {
      Money& inYear = summary.years[year];
      inYear.stakeYuan += call.stakeYuan;
      inYear.returnedYuan += call.returnedMills / 1000;
      inYear.passes += 1;
    }
  }
}

std::optional<BestAndWorst> bestAndWorstYears(const OutputSummary& output) {
  std::optional<BestAndWorst> years;
  for (const auto& [year, money] : output.years) {
    if (money.stakeYuan == 0 || money.passes < static_cast<std::int64_t>(kWholeYearDraws)) continue;
    const YearRate rate{year, money.rate()};
    if (!years) years = BestAndWorst{rate, rate};
    if (rate.rate > years->best.rate) years->best = rate;
    if (rate.rate < years->worst.rate) years->worst = rate;
  }
  return years;
}

void Summary::finish() {
  for (std::size_t i = 0; i < outputs_.size(); ++i) {
    outputs_[i].tally.finish();
    closeRun(openRuns_[i], outputs_[i].runs);
  }
}

}  // namespace quorvel::backtest
