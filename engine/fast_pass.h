#pragma once

#include <array>

#include "quorvel/prediction_pass.h"

namespace quorvel {

// The pass over a grid of plain whole numbers, each 0...9999, without text, doubles or checked
// counters; it gives exactly what runReferencePass gives for the numbers' texts.
PassResult runFastPass(const std::array<unsigned, kGridCells>& values);

}  // namespace quorvel
