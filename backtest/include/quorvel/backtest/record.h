#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quorvel/game/draw.h"
#include "quorvel/game/period.h"

// A record of draws, oldest first, and what its reader noted of it beside the draws: its order,
// its gaps, its repeated lines, its header, and how it wrote its periods.
namespace quorvel::backtest {

using game::Draw;
using game::fromShortYear;
using game::kMostDrawsAYear;
using game::nextPeriod;
using game::periodYear;

// The fewest draws of a calendar year that make it a whole year of a record: a record that begins
// or ends in a year holds only a part of it.
inline constexpr std::uint64_t kWholeYearDraws = 300;

// The way a record runs: oldest draw first, or newest first as many players keep theirs.
enum class RecordOrder : std::uint8_t { OldestFirst, NewestFirst };

// Where a record skips draws within a year (periods as yyyyNNN): the last period before the gap,
// the first after it, and how many are missing between them.
struct Gap {
  std::uint64_t after = 0, before = 0, missing = 0;
  bool operator==(const Gap&) const = default;
};

// What a reader noted of a record beside its draws, which the replay and the reports use.
struct RecordNotes {
  RecordOrder order = RecordOrder::OldestFirst;
  std::vector<Gap> gaps;
  std::vector<std::size_t> restarts;  // the draws that follow a gap, by their place oldest first
  std::uint64_t repeated = 0;         // lines that repeat a draw already read, read once
  // Whether the record gives its draws' periods. A record of draws alone, one a line, is kept in
  // its order with periods 1, 2, 3 ...: no gap of it can be known.
  bool periods = true;
  // Whether its periods were written yyNNN (26224): they are kept as yyyyNNN (2026224), so that
  // gaps and years are found, and written back as they were.
  bool shortPeriods = false;
  std::string header;  // the header line, as written; "" for none
};

// A period of a record as the record wrote it.
std::uint64_t writtenPeriod(std::uint64_t period, const RecordNotes& notes);

struct Record {
  std::vector<Draw> draws;  // oldest first
  RecordNotes notes;
};

// Notes the gaps of `draws` (oldest first) within a year, and the places the replay restarts.
void noteGaps(std::span<const Draw> draws, RecordNotes& notes);

}  // namespace quorvel::backtest
