#pragma once

#include <string>

#include "quorvel/failure.h"
#include "quorvel/grid.h"

namespace quorvel {

// The error report followed by the cells to blame, numbered 1...12 in grid order with their
// texts, and the step: 运行时错误 '6'：溢出 — cell 4 "50000" × cell 8 "50000" in the key rules.
// A cause that names no cell adds nothing to the report.
std::string failureMessage(Failure failure, const FailureCause& cause, const GridTexts& cells);

}  // namespace quorvel
