#pragma once

#include <ostream>
#include <span>
#include <string>

#include "quorvel/backtest/record.h"

namespace quorvel::report {

// A record of draws as a CSV file in the form the shipped record has, which every reader takes:
// the header "period,d1,d2,d3,sum", then a draw a line, oldest first, LF line ends.
void writeRecordCsv(std::ostream& out, std::span<const backtest::Draw> draws);

// The name the page saves and tests a kept record under, by its newest period:
// "quorvel-record-2026174.csv", "quorvel-record-empty.csv" for no draw.
std::string recordFileName(std::span<const backtest::Draw> draws);

}  // namespace quorvel::report
