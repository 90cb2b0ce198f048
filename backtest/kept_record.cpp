#include "quorvel/backtest/kept_record.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <string>

#include "quorvel/backtest/replay.h"
#include "quorvel/game/game_names.h"
#include "quorvel/backtest/problem.h"

namespace quorvel::backtest {
namespace {

bool byPeriod(const Draw& a, const Draw& b) { return a.period < b.period; }

// A grid row's draw when its cells hold three single digits and their sum or no sum.
std::optional<Draw> rowDraw(const engine::GridTexts& cells, std::size_t row) {
  Draw draw{0, {}};
  for (std::size_t k = 0; k < 3; ++k) {
    const std::string_view text = cells[4 * row + k];
    if (text.size() != 1 || text[0] < '0' || text[0] > '9') return std::nullopt;
    draw.digits[k] = static_cast<std::uint8_t>(text[0] - '0');
  }
  const std::string_view sum = cells[4 * row + 3];
  if (!sum.empty() && sum != std::to_string(draw.sum())) return std::nullopt;
  return draw;
}

bool rowIs(const engine::GridTexts& cells, std::size_t row, const Draw& draw) {
  const std::optional<Draw> typed = rowDraw(cells, row);
  return typed && typed->sameDigits(draw);
}

// The draws of `draws` whose digits, with the two after them, are those at `key`: three draws in
// a row as one number of nine digits.
std::uint32_t keyOf(std::span<const Draw> draws, std::size_t i) {
  std::uint32_t key = 0;
  for (std::size_t k = i; k < i + 3; ++k) {
    for (const std::uint8_t digit : draws[k].digits) key = key * 10 + digit;
  }
  return key;
}

// Where `given` holds kShiftedRun of the kept draws in a row under other periods, all shifted
// alike: the given period and the kept one of the first of them.
std::optional<std::pair<std::uint64_t, std::uint64_t>> shiftedRun(std::span<const Draw> kept,
                                                                  std::span<const Draw> given) {
  if (kept.size() < kShiftedRun || given.size() < kShiftedRun) return std::nullopt;
  std::unordered_multimap<std::uint32_t, std::size_t> starts;
  starts.reserve(kept.size());
  for (std::size_t i = 0; i + 3 <= kept.size(); ++i) starts.emplace(keyOf(kept, i), i);
  for (std::size_t g = 0; g + kShiftedRun <= given.size(); ++g) {
    const auto [from, to] = starts.equal_range(keyOf(given, g));
    for (auto at = from; at != to; ++at) {
      const std::size_t k = at->second;
      if (kept[k].period == given[g].period || k + kShiftedRun > kept.size()) continue;
      std::size_t run = 0;
      while (run < kShiftedRun && kept[k + run].sameDigits(given[g + run]) &&
             kept[k + run].period - kept[k].period == given[g + run].period - given[g].period &&
             kept[k + run].period != given[g + run].period)
        ++run;
      if (run == kShiftedRun) return std::pair{given[g].period, kept[k].period};
    }
  }
  return std::nullopt;
}

}  // namespace

void checkJoins(const Record& kept, const Record& given, std::string_view names,
                const game::Game& game) {
  if (!given.notes.periods) throw BacktestError({Fault::NoPeriodsToKeep});
  const std::string named = std::string(names) + " " + given.notes.header;
  if (const std::optional<std::string_view> other = game::otherGameNamed(named, game)) {
    throw BacktestError({Fault::OtherGameNamed, 0, 0, 0, 0, std::string(*other)});
  }
  std::uint64_t shared = 0, disagree = 0;
  for (const Draw& draw : given.draws) {
    const auto at = std::lower_bound(kept.draws.begin(), kept.draws.end(), draw, byPeriod);
    if (at == kept.draws.end() || at->period != draw.period) continue;
    ++shared;
    disagree += !at->sameDigits(draw);
  }
  if (const auto shifted = shiftedRun(kept.draws, given.draws)) {
    throw BacktestError({Fault::OtherNumbering, 0, 0, shifted->first, shifted->second});
  }
  if (shared >= kSharedToJudge && 2 * disagree > shared) {
    throw BacktestError({Fault::OtherGame, 0, 0, shared, disagree});
  }
}

Merged mergeDraws(const Record& kept, std::span<const Draw> given, Disagreeing choice) {
  const bool preferGiven = choice == Disagreeing::TakeGiven;
  Merged merged{kept, 0, 0, {}};
  std::vector<Draw>& draws = merged.record.draws;
  std::vector<Draw> fresh;
  for (const Draw& draw : given) {
    const auto at = std::lower_bound(draws.begin(), draws.end(), draw.period,
                                     [](const Draw& d, std::uint64_t p) { return d.period < p; });
    if (at == draws.end() || at->period != draw.period) {
      fresh.push_back(draw);
    } else if (at->sameDigits(draw)) {
      ++merged.confirmed;
    } else {
      merged.disagreements.push_back({*at, draw});
      if (preferGiven) *at = draw;
    }
  }
  // The new draws in period order, each period once: the same draw twice is confirmed, two
  // different ones disagree as a kept and a given draw do.
  std::stable_sort(fresh.begin(), fresh.end(), byPeriod);
  std::vector<Draw> once;
  for (const Draw& draw : fresh) {
    if (once.empty() || once.back().period != draw.period) {
      once.push_back(draw);
    } else if (once.back().sameDigits(draw)) {
      ++merged.confirmed;
    } else {
      merged.disagreements.push_back({once.back(), draw});
      if (preferGiven) once.back() = draw;
    }
  }
  fresh = std::move(once);
  if (!merged.disagreements.empty() && choice == Disagreeing::Ask) {
    merged.record = kept;
    return merged;
  }
  if (draws.size() + fresh.size() > kMaxKeptDraws) {
    throw BacktestError({Fault::TooManyKept, 0, 0, kMaxKeptDraws});
  }
  merged.added = fresh.size();
  merged.preferredGiven = preferGiven && !merged.disagreements.empty();
  merged.keptKept = choice == Disagreeing::KeepKept && !merged.disagreements.empty();
  const auto middle = static_cast<std::ptrdiff_t>(draws.size());
  draws.insert(draws.end(), fresh.begin(), fresh.end());
  std::inplace_merge(draws.begin(), draws.begin() + middle, draws.end(), byPeriod);
  merged.record.notes.order = RecordOrder::OldestFirst;
  merged.record.notes.repeated = 0;
  noteGaps(draws, merged.record.notes);
  return merged;
}

Typed typedDraw(const engine::GridTexts& cells, std::span<const Draw> record, int year,
                std::optional<std::uint64_t> lastTyped) {
  const std::optional<Draw> top = rowDraw(cells, 0);
  const std::size_t n = record.size();
  const bool emptied = cells[0].empty() && cells[1].empty() && cells[2].empty() && cells[3].empty();
  if (emptied && n >= 3 && lastTyped == record[n - 1].period && rowIs(cells, 1, record[n - 2]) &&
      rowIs(cells, 2, record[n - 3])) {
    return {TypedKind::TakenBack, record[n - 1]};
  }
  if (!top || n < 2) return {};
  // The top row's draw as period `period`.
  const auto typedAs = [&](std::uint64_t period) {
    Draw draw = *top;
    draw.period = period;
    return draw;
  };
  if (rowIs(cells, 1, record[n - 1]) && rowIs(cells, 2, record[n - 2])) {
    return {TypedKind::Next, typedAs(nextPeriod(record[n - 1].period, year))};
  }
  if (n >= 3 && rowIs(cells, 1, record[n - 2]) && rowIs(cells, 2, record[n - 3])) {
    if (top->sameDigits(record[n - 1])) return {TypedKind::Known, record[n - 1]};
    if (lastTyped == record[n - 1].period) {
      return {TypedKind::Corrected, typedAs(record[n - 1].period)};
    }
    return {TypedKind::Disagrees, typedAs(record[n - 1].period)};
  }
  return {};
}

engine::GridStrings latestGrid(const Record& record) {
  const std::vector<Draw>& draws = record.draws;
  const std::size_t start = record.notes.restarts.empty() ? 0 : record.notes.restarts.back();
  if (draws.size() < start + 3) {
    throw BacktestError(
        {Fault::NoLatestThree, 0, 0, draws.size() - start, start > 0 ? draws[start].period : 0});
  }
  engine::GridStrings cells;
  for (std::size_t p = 0; p < 3; ++p) {
    const GridRow row = gridRow(draws[draws.size() - 1 - p]);
    for (std::size_t k = 0; k < 4; ++k) cells[4 * p + k] = std::to_string(row[k]);
  }
  return cells;
}

}  // namespace quorvel::backtest
