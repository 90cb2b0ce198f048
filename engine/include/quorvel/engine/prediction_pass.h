#pragma once

#include "quorvel/engine/grid.h"
#include "quorvel/engine/pass_result.h"

namespace quorvel::engine {

// Runs one prediction pass over the twelve cell texts. Never throws: a pass stopped by a failure
// reports it in `failure` and `cause`, with the outputs written before it. A grid of plain
// numbers (see PlainGrid) takes the fast road, which allocates nothing; any other grid takes the
// reference road (runReferencePass), which may allocate while it reads a number with blanks
// inside it and when a failure stops it.
PassResult runPredictionPass(const GridTexts& cells);

// The same pass over a plain grid, without reading or writing text: the result is the one the
// texts of those numbers give. A value above kPlainCellMax is read as its decimal text would be.
PassResult runPredictionPass(const PlainGrid& cells);

}  // namespace quorvel::engine
