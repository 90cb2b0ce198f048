#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "quorvel/game/game.h"
#include "quorvel/backtest/record.h"
#include "quorvel/engine/grid.h"

// The record a player keeps on a device as the game goes on: draws pasted or read from a file
// join it, the draw typed into the grid after the draw shift becomes its next period, and the
// grid is filled from its newest draws.
namespace quorvel::backtest {

// The most draws a kept record holds: a daily game's draws for well over two hundred years, in
// the few megabytes a browser keeps for a site.
inline constexpr std::size_t kMaxKeptDraws = 100'000;
// The largest file whose draws join a kept record: kMaxKeptDraws lines of a long copied form.
inline constexpr std::uint64_t kMaxKeptFileBytes = std::uint64_t{8} << 20;

// A period for which the kept record and the draws given disagree.
struct Disagreement {
  Draw kept, given;
};

// What a merge does with a period on which the kept record and the draws given disagree: ask the
// player first (the whole merge waits), take the given draw, or keep the kept one.
enum class Disagreeing : std::uint8_t { Ask, TakeGiven, KeepKept };

struct Merged {
  Record record;  // oldest first, its gaps noted; the kept record as it was while they disagree
  std::uint64_t added = 0, confirmed = 0;
  std::vector<Disagreement> disagreements;
  bool preferredGiven = false;  // the disagreeing draws replaced the kept ones
  bool keptKept = false;        // the kept draws stayed, and the new periods joined all the same
};

// `given` joined to `kept`: a draw of a new period is added in its place, one the record holds
// already is confirmed. Where a draw disagrees with the kept one for its period, `choice` says
// what happens: with Ask nothing changes, the whole merge with it, until the player chooses; with
// TakeGiven it replaces the kept one; with KeepKept the kept one stays. Either choice decides only
// the disagreeing periods: the new periods of the same draws join either way. Throws
// BacktestError (TooManyKept) when the record would pass kMaxKeptDraws.
Merged mergeDraws(const Record& kept, std::span<const Draw> given, Disagreeing choice);

// The fewest periods both records hold on which most disagreeing says that the draws given are
// another game's, and the fewest draws in a row, the same under other period numbers, that say
// they are the kept record's draws numbered differently: by chance ten draws in a row agree one
// time in 10^30.
inline constexpr std::size_t kSharedToJudge = 10;
inline constexpr std::size_t kShiftedRun = 10;

// Refuses, as a BacktestError, a record that cannot join `kept` whole: one without periods
// (NoPeriodsToKeep); one whose file name or header (`names`) names the other game and not this
// one (OtherGameNamed); one that holds kShiftedRun of the kept record's draws in a row under other
// periods, all shifted alike (OtherNumbering, naming one period of each numbering); one that
// disagrees with the kept record on most of at least kSharedToJudge periods both hold
// (OtherGame). Nothing changes then; isolated disagreements are left to mergeDraws.
void checkJoins(const Record& kept, const Record& given, std::string_view names,
                const game::Game& game);

// What the grid's top row holds, against the kept record.
enum class TypedKind : std::uint8_t {
  None,       // not a whole new draw after the record's last two, nothing to do
  Next,       // a new draw after the record's last two: its next period
  Known,      // the record's last draw, typed again
  Corrected,  // another draw in place of the last one typed, after the two before it
  Disagrees,  // another draw for the record's last period, which this page did not type: another
              // page may have, so the player chooses
  TakenBack,  // the top row emptied again over the two before the draw typed last: it goes
};
struct Typed {
  TypedKind kind = TypedKind::None;
  Draw draw{};  // for Next and Corrected, the draw with its period
};

// The draw a player typed after the draw shift: the top row holds three digits (and their sum,
// or no sum) and the two rows below it are the record's last two draws; its period is the next
// after the record's last in `year`, the year of the game's last draw (game/draw_clock.h). When
// `lastTyped` is the record's last period and the rows below are the two draws before it, another
// draw in the top row corrects it; any other draw there disagrees with the record's last; and the
// top row emptied again takes that typed draw back out of the record.
Typed typedDraw(const engine::GridTexts& cells, std::span<const Draw> record, int year,
                std::optional<std::uint64_t> lastTyped);

// The grid as a player types the record's three newest draws, newest on top. Throws
// BacktestError (NoLatestThree) when the record does not end with three draws in a row.
engine::GridStrings latestGrid(const Record& record);

}  // namespace quorvel::backtest
