#include "quorvel/backtest/replay.h"

#include <algorithm>

#include "call_scoring.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::backtest {

int listChance(engine::SumSet list) { return scoring::weigh(list, scoring::kWelfare3DTables).chance; }

int verdictChance(engine::Verdict verdict) {
  return scoring::kVerdictChance[static_cast<std::size_t>(verdict)];
}

std::array<Call, engine::kOutputs> scoreCalls(const engine::PassResult& result, int sum,
                                              const game::Game& game) {
  return scoring::scoredCalls(result, sum, scoring::tablesFor(game));
}

GridRow gridRow(const Draw& draw) {
  return {static_cast<std::uint16_t>(draw.digits[0]), static_cast<std::uint16_t>(draw.digits[1]),
          static_cast<std::uint16_t>(draw.digits[2]), static_cast<std::uint16_t>(draw.sum())};
}

Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next,
                const game::Game& game) {
  // The numbers a user types, passed as numbers: the pass gives what their texts would give.
  engine::PlainGrid cells;
  const Draw* rows[engine::kGridPeriods] = {&latest, &previous, &oldest};
  for (std::size_t p = 0; p < engine::kGridPeriods; ++p) {
    const GridRow row = gridRow(*rows[p]);
    std::copy(row.begin(), row.end(), cells.begin() + static_cast<std::ptrdiff_t>(4 * p));
  }
  Replayed out{next.period, next.sum(), engine::runPredictionPass(cells), {}};
  out.calls = scoreCalls(out.result, out.sum, game);
  return out;
}

std::vector<Replayed> replayFrom(std::span<const Draw> record,
                                 std::span<const std::size_t> restarts, std::size_t first,
                                 const game::Game& game) {
  std::vector<Replayed> passes;
  for (std::size_t t = std::max<std::size_t>(first, 3); t < record.size(); ++t) {
    // The last restart at or before t; the pass needs three draws from it on before t.
    const auto after = std::upper_bound(restarts.begin(), restarts.end(), t);
    const std::size_t start = after == restarts.begin() ? 0 : *(after - 1);
    if (t < start + 3) continue;
    passes.push_back(replay(record[t - 3], record[t - 2], record[t - 1], record[t], game));
  }
  return passes;
}

std::vector<bool> replayedDraws(std::size_t draws, std::span<const std::size_t> restarts) {
  std::vector<bool> replayed(draws);
  std::size_t start = 0;
  auto next = restarts.begin();
  for (std::size_t t = 0; t < draws; ++t) {
    if (next != restarts.end() && *next == t) {
      start = t;
      ++next;
    }
    replayed[t] = t >= start + 3;
  }
  return replayed;
}

std::uint64_t replayedPasses(std::uint64_t draws, std::span<const std::size_t> restarts) {
  const std::vector<bool> replayed = replayedDraws(static_cast<std::size_t>(draws), restarts);
  return static_cast<std::uint64_t>(std::count(replayed.begin(), replayed.end(), true));
}

bool replaysBefore(std::size_t first, std::span<const std::size_t> restarts) {
  // Each stretch of the record, from its start or a restart to the next, replays its draws from
  // its fourth on.
  std::size_t start = 0;
  for (std::size_t i = 0; i <= restarts.size(); ++i) {
    const std::size_t end = std::min(first, i < restarts.size() ? restarts[i] : first);
    if (start + 3 < end) return true;
    if (i < restarts.size()) start = restarts[i];
    if (start >= first) return false;
  }
  return false;
}

}  // namespace quorvel::backtest
