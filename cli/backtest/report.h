#pragma once

#include <ostream>
#include <vector>

#include "replay.h"

namespace quorvel::backtest {

// The summary as a table, then the run lengths of the predicted range and the attribute calls
// beside what chance gives at the same hit rate.
void writeTable(std::ostream& out, const Summary& summary);

// The same summary as one JSON object.
void writeJson(std::ostream& out, const Summary& summary);

// One CSV row per replayed pass: the period, its sum, the eight outputs and whether each hit.
void writeCsvHeader(std::ostream& out);
void writeCsvRow(std::ostream& out, const Replayed& replayed);

// Collects the list hits of a replay for the chart.
struct ListTrace {
  std::vector<std::array<float, 3>> hit;     // 1 hit, 0 miss, -1 no call, for the three lists
  std::vector<std::array<float, 3>> chance;  // the chance rate of each call
  void add(const Replayed& replayed);
};

// A self-contained SVG of the rolling hit rate of each list against its chance rate.
void writeChart(std::ostream& out, const ListTrace& trace);

}  // namespace quorvel::backtest
