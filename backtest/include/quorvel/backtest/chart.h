#pragma once

#include <ostream>

#include "quorvel/backtest/list_trace.h"

namespace quorvel::backtest {

// A self-contained SVG of the rolling hit rate of each list against its chance rate.
void writeChart(std::ostream& out, const ListTrace& trace);

}  // namespace quorvel::backtest
