#pragma once

#include <ostream>

#include "quorvel/backtest/replay.h"

namespace quorvel::report {

// One CSV row per replayed pass: the period, its sum, the eight outputs, whether each hit and the
// failure number; then, for each list, what betting every one of its sums staked and returned, in
// yuan.
void writeCsvHeader(std::ostream& out);
void writeCsvRow(std::ostream& out, const backtest::Replayed& replayed);

}  // namespace quorvel::report
