#include "quorvel/backtest/replay.h"

#include <algorithm>

#include "call_scoring.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::backtest {

int listChance(engine::SumSet list) { return scoring::weigh(list).chance; }

int verdictChance(engine::Verdict verdict) {
  return scoring::kVerdictChance[static_cast<std::size_t>(verdict)];
}

std::array<Call, engine::kOutputs> scoreCalls(const engine::PassResult& result, int sum) {
  return scoring::scoredCalls(result, sum);
}

GridRow gridRow(const Draw& draw) {
  return {static_cast<std::uint16_t>(draw.digits[0]), static_cast<std::uint16_t>(draw.digits[1]),
          static_cast<std::uint16_t>(draw.digits[2]), static_cast<std::uint16_t>(draw.sum())};
}

Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next) {
  // The numbers a user types, passed as numbers: the pass gives what their texts would give.
  engine::PlainGrid cells;
  const Draw* rows[engine::kGridPeriods] = {&latest, &previous, &oldest};
  for (std::size_t p = 0; p < engine::kGridPeriods; ++p) {
    const GridRow row = gridRow(*rows[p]);
    std::copy(row.begin(), row.end(), cells.begin() + static_cast<std::ptrdiff_t>(4 * p));
  }
  Replayed out{next.period, next.sum(), engine::runPredictionPass(cells), {}};
  out.calls = scoreCalls(out.result, out.sum);
  return out;
}

}  // namespace quorvel::backtest
