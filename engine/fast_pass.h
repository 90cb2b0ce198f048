#pragma once

#include "quorvel/engine/grid.h"
#include "quorvel/engine/pass_result.h"

namespace quorvel::engine {

// The fast road: the pass over a grid whose every cell is at most kPlainCellMax, without text,
// doubles or checked counters. It gives exactly what runReferencePass gives for the numbers'
// texts, and allocates nothing.
PassResult runFastPass(const PlainGrid& cells);

}  // namespace quorvel::engine
