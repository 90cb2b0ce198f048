#pragma once

#include "quorvel/engine/grid.h"
#include "quorvel/engine/pass_result.h"

namespace quorvel::engine {

// The pass as the rules state it, rule by rule over the parsed cells: every conversion rounded
// and every counter checked as the rules say. runPredictionPass takes a shorter road where the
// grid allows and gives exactly this result; this one is its reference. Never throws.
PassResult runReferencePass(const GridTexts& cells);

}  // namespace quorvel::engine
