#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "quorvel/backtest/call.h"
#include "quorvel/backtest/record.h"
#include "quorvel/engine/prediction_pass.h"
#include "quorvel/game/game.h"

namespace quorvel::backtest {

// The passes a backtest of `draws` draws replays: one for every draw from the fourth on, and
// after each restart (a gap in the record) from the fourth after it on.
constexpr std::uint64_t replayedPasses(std::uint64_t draws) { return draws > 3 ? draws - 3 : 0; }
std::uint64_t replayedPasses(std::uint64_t draws, std::span<const std::size_t> restarts);

// Whether the draw at each place of a record of `draws` draws, oldest first, is replayed: it has
// three draws before it since the record's start or its last restart.
std::vector<bool> replayedDraws(std::size_t draws, std::span<const std::size_t> restarts);


// The chance that three uniform digits prove a call right, in thousandths (digit triples out of
// 1000): for a list, the triples whose sum it names; for a verdict, those whose sum it holds for.
int listChance(engine::SumSet list);
int verdictChance(engine::Verdict verdict);

struct Replayed {
  std::uint64_t period;  // the period forecast
  int sum;               // its real sum
  engine::PassResult result;
  std::array<Call, engine::kOutputs> calls;
};

// One draw as a row of the grid holds it: its three digits and their sum.
using GridRow = std::array<std::uint16_t, 4>;
GridRow gridRow(const Draw& draw);

// Scores the outputs a pass wrote against the sum of the draw that followed, at `game`'s bets.
std::array<Call, engine::kOutputs> scoreCalls(const engine::PassResult& result, int sum,
                                              const game::Game& game = game::kWelfare3D);

// The grid as a user types it from the three draws before `next` (latest on top), one pass,
// scored against `next`.
Replayed replay(const Draw& oldest, const Draw& previous, const Draw& latest, const Draw& next,
                const game::Game& game = game::kWelfare3D);

// The passes of a record (oldest first, with its restarts after gaps) that forecast its draws from
// place `first` on: each draw with three draws before it since the record's start or its last
// restart, forecast from those three.
std::vector<Replayed> replayFrom(std::span<const Draw> record,
                                 std::span<const std::size_t> restarts, std::size_t first,
                                 const game::Game& game = game::kWelfare3D);

// Whether the record replays a draw before place `first`: whether it has older passes than those
// from `first` on.
bool replaysBefore(std::size_t first, std::span<const std::size_t> restarts);

}  // namespace quorvel::backtest
