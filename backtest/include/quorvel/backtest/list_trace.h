#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "quorvel/backtest/replay.h"

namespace quorvel::backtest {

// The rolling hit rate of each list and the running return of betting its sums, gathered as the
// passes stream by: it keeps the running totals only at the points the chart draws, so its size
// does not grow with the number of passes.
class ListTrace {
 public:
  explicit ListTrace(std::uint64_t passes);
  void add(const Replayed& replayed);

  struct Totals {
    std::array<double, engine::kLists> hits{}, chance{}, calls{};
    std::array<double, engine::kLists> staked{}, returned{}, expected{};  // in yuan
  };
  std::uint64_t passes() const { return passes_; }
  std::uint64_t window() const { return window_; }
  // The ends of the windows drawn, and the running totals at each window's start and end.
  const std::vector<std::uint64_t>& ends() const { return ends_; }
  const Totals& totalsAfter(std::uint64_t passes) const;

  // Where each year begins: the passes before its first draw, and the year. Empty unless every
  // period forecast begins with its year, as 2004001 (year × 1000 + draw) or 20040001 do.
  struct YearStart {
    std::uint64_t passesBefore;
    int year;
  };
  std::vector<YearStart> years() const { return allHaveYears_ ? years_ : std::vector<YearStart>{}; }

 private:
  std::uint64_t passes_, window_, seen_ = 0;
  std::vector<std::uint64_t> ends_;
  std::vector<std::uint64_t> marks_;  // every start and end, sorted, each once
  std::vector<Totals> atMark_;
  Totals running_;
  std::size_t nextMark_ = 0;
  std::vector<YearStart> years_;
  bool allHaveYears_ = true;
};

}  // namespace quorvel::backtest
