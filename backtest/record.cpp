#include "quorvel/backtest/record.h"

namespace quorvel::backtest {

std::uint64_t writtenPeriod(std::uint64_t period, const RecordNotes& notes) {
  return notes.shortPeriods ? period % 100'000 : period;
}

void noteGaps(std::span<const Draw> draws, RecordNotes& notes) {
  notes.gaps.clear();
  notes.restarts.clear();
  for (std::size_t i = 1; i < draws.size(); ++i) {
    const int year = periodYear(draws[i].period);
    if (year == 0 || year != periodYear(draws[i - 1].period)) continue;
    if (draws[i].period - draws[i - 1].period > 1) {
      notes.gaps.push_back(
          {draws[i - 1].period, draws[i].period, draws[i].period - draws[i - 1].period - 1});
      notes.restarts.push_back(i);
    }
  }
}

}  // namespace quorvel::backtest
