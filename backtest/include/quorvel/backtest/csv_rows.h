#pragma once

#include <ostream>

#include "quorvel/backtest/replay.h"

namespace quorvel::backtest {

// One CSV row per replayed pass: the period, its sum, the eight outputs and whether each hit.
void writeCsvHeader(std::ostream& out);
void writeCsvRow(std::ostream& out, const Replayed& replayed);

}  // namespace quorvel::backtest
