#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <vector>

#include "backtest.h"

namespace quorvel::backtest {

// The summary as a table with the permutation test's columns, then the run lengths of the
// predicted range and the attribute calls beside what chance gives at the same hit rate, and last
// the verdict a player can act on.
void writeTable(std::ostream& out, const BacktestResult& result);

// The verdict alone: which outputs beat chance at the 5 % level after Holm's adjustment, and
// whether the claimed run pattern does.
std::string verdictSentence(const BacktestResult& result);

// The same result as one JSON object.
void writeJson(std::ostream& out, const BacktestResult& result);

// One CSV row per replayed pass: the period, its sum, the eight outputs and whether each hit.
void writeCsvHeader(std::ostream& out);
void writeCsvRow(std::ostream& out, const Replayed& replayed);

// The rolling hit rate of each list, gathered as the passes stream by: it keeps the running
// totals only at the points the chart draws, so its size does not grow with the number of passes.
class ListTrace {
 public:
  explicit ListTrace(std::uint64_t passes);
  void add(const Replayed& replayed);

  struct Totals {
    std::array<double, 3> hits{}, chance{}, calls{};
  };
  std::uint64_t passes() const { return passes_; }
  std::uint64_t window() const { return window_; }
  // The ends of the windows drawn, and the running totals at each window's start and end.
  const std::vector<std::uint64_t>& ends() const { return ends_; }
  const Totals& totalsAfter(std::uint64_t passes) const;

 private:
  std::uint64_t passes_, window_, seen_ = 0;
  std::vector<std::uint64_t> ends_;
  std::vector<std::uint64_t> marks_;  // every start and end, sorted, each once
  std::vector<Totals> atMark_;
  Totals running_;
  std::size_t nextMark_ = 0;
};

// A self-contained SVG of the rolling hit rate of each list against its chance rate.
void writeChart(std::ostream& out, const ListTrace& trace);

}  // namespace quorvel::backtest
