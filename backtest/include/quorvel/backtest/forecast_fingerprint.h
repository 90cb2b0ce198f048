#pragma once

#include <cstdint>
#include <functional>

#include "quorvel/engine/grid.h"
#include "quorvel/engine/pass_result.h"

// A fingerprint of the forecast's rules: what its eight outputs say on a fixed set of grids,
// hashed. The verdict and the test on later draws rest on the rules being those the verdict was
// fixed on; kVerdictForecast (later_draws.h) holds this fingerprint of them, so that a change of
// the rules cannot pass unseen while the period the verdict was fixed through stays.
namespace quorvel::backtest {

using Pass = std::function<engine::PassResult(const engine::PlainGrid&)>;

// FNV-1a over every output's text, how many were written and the failure, for each of the fixed
// grids in turn: grids of three real draws (digits 0-9 and their sums) and grids of any numbers
// up to 99, both drawn from one fixed generator.
std::uint64_t forecastFingerprint(const Pass& pass);

// The same of the forecast as it is.
std::uint64_t forecastFingerprint();

}  // namespace quorvel::backtest
