#include "quorvel/backtest/kept_record.h"
#include "quorvel/backtest/problem.h"
#include "quorvel/backtest/simulated_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

#include "row_name.h"

namespace quorvel::backtest {
namespace {

// Draws of one year from its first period, uniform digits.
std::vector<Draw> yearOf(std::size_t count, std::uint64_t seed) {
  std::vector<Draw> draws = simulateHistory(count, seed);
  for (std::size_t i = 0; i < draws.size(); ++i) draws[i].period = 2026001 + i;
  return draws;
}

Record recordOf(std::vector<Draw> draws) {
  Record record{std::move(draws), {}};
  noteGaps(record.draws, record.notes);
  return record;
}

std::vector<std::uint64_t> periods(const std::vector<Draw>& draws) {
  std::vector<std::uint64_t> p;
  for (const Draw& d : draws) p.push_back(d.period);
  return p;
}

// However a record is split in two and the parts pasted, in whichever order and with overlaps,
// the merge gives the record back: every draw once, in period order, nothing disagreeing.
TEST(MergeDraws, AnySplitOfARecordMergesBackToIt) {
  const std::vector<Draw> whole = yearOf(300, 4);
  std::mt19937 random(8);
  for (int round = 0; round < 200; ++round) {
    std::vector<Draw> kept, given;
    for (const Draw& d : whole) {
      const auto where = random() % 3;  // kept, given or both
      if (where != 1) kept.push_back(d);
      if (where != 0) given.push_back(d);
      if (where == 2 && random() % 4 == 0) given.push_back(d);  // pasted twice
    }
    std::shuffle(given.begin(), given.end(), random);
    const Merged merged = mergeDraws(recordOf(kept), given, Disagreeing::Ask);
    ASSERT_EQ(periods(merged.record.draws), periods(whole));
    EXPECT_TRUE(merged.disagreements.empty());
    EXPECT_TRUE(merged.record.notes.gaps.empty());
    EXPECT_EQ(merged.added + kept.size(), whole.size());
    EXPECT_EQ(merged.record.notes.repeated, 0u);
    EXPECT_EQ(merged.added + merged.confirmed, given.size());
  }
}

// A draw that disagrees with the kept one changes nothing, the draws pasted with it included,
// until the player chooses the new one or the kept one.
TEST(MergeDraws, ADisagreementChangesNothingUntilChosen) {
  const Record kept = recordOf(yearOf(10, 1));
  Draw other = kept.draws[4];
  other.digits[0] = static_cast<std::uint8_t>((other.digits[0] + 1) % 10);
  const std::vector<Draw> given = {other, {2026011, {1, 2, 3}}};

  const Merged refused = mergeDraws(kept, given, Disagreeing::Ask);
  ASSERT_EQ(refused.disagreements.size(), 1u);
  EXPECT_EQ(refused.disagreements[0].given.digits[0], other.digits[0]);
  EXPECT_EQ(refused.added, 0u);
  EXPECT_EQ(periods(refused.record.draws), periods(kept.draws));
  EXPECT_EQ(refused.record.draws[4].digits[0], kept.draws[4].digits[0]);

  EXPECT_FALSE(refused.preferredGiven);
  const Merged chosen = mergeDraws(kept, given, Disagreeing::TakeGiven);
  EXPECT_TRUE(chosen.preferredGiven);
  EXPECT_EQ(chosen.added, 1u);
  EXPECT_EQ(chosen.record.draws.size(), 11u);
  EXPECT_EQ(chosen.record.draws[4].digits[0], other.digits[0]);

  // Keeping the original decides only the disagreeing period: the new one joins all the same.
  const Merged original = mergeDraws(kept, given, Disagreeing::KeepKept);
  EXPECT_TRUE(original.keptKept);
  EXPECT_FALSE(original.preferredGiven);
  EXPECT_EQ(original.added, 1u);
  EXPECT_EQ(original.record.draws.size(), 11u);
  EXPECT_EQ(original.record.draws[4].digits[0], kept.draws[4].digits[0]);
  EXPECT_EQ(original.record.draws[10].period, 2026011u);

  const std::vector<Draw> twoForOneNew = {{2026011, {1, 2, 3}}, {2026011, {1, 2, 4}}};
  const Merged both = mergeDraws(kept, twoForOneNew, Disagreeing::Ask);
  EXPECT_EQ(both.disagreements.size(), 1u);
  EXPECT_EQ(both.added, 0u);
}

TEST(MergeDraws, NotesTheGapsOfTheMergedRecordAndKeepsItsLimit) {
  const Merged merged = mergeDraws(recordOf(yearOf(5, 2)), {{{2026009, {1, 1, 1}}}}, Disagreeing::Ask);
  EXPECT_EQ(merged.record.notes.gaps, (std::vector<Gap>{{2026005, 2026009, 3}}));
  const std::vector<Draw> many = yearOf(kMaxKeptDraws + 1, 3);
  EXPECT_THROW(mergeDraws({}, many, Disagreeing::Ask), BacktestError);
}

struct NextCase {
  std::string name;
  std::uint64_t last;
  int year;
  std::uint64_t next;
};
std::string describe(const NextCase& c) { return c.name; }
class NextPeriod : public ::testing::TestWithParam<NextCase> {};

TEST_P(NextPeriod, FollowsTheLastAndTheDevicesYear) {
  EXPECT_EQ(nextPeriod(GetParam().last, GetParam().year), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, NextPeriod,
    ::testing::Values(NextCase{"within the year", 2026173, 2026, 2026174},
                      NextCase{"a new year", 2026351, 2027, 2027001},
                      NextCase{"a new year of eight digit periods", 20260351, 2027, 20270001},
                      NextCase{"a device clock behind the record", 2027003, 2026, 2027004},
                      NextCase{"periods that are no dates", 41, 2027, 42}),
    testing::NamedRow{});

// The grid after the draw shift: the new draw on top, the record's last two below.
engine::GridStrings typedGrid(const std::string& top, const Draw& previous, const Draw& oldest) {
  engine::GridStrings cells;
  std::istringstream in(top);
  for (std::size_t k = 0; k < 4; ++k) in >> cells[k];
  for (std::size_t k = 0; k < 3; ++k) {
    cells[4 + k] = std::to_string(previous.digits[k]);
    cells[8 + k] = std::to_string(oldest.digits[k]);
  }
  cells[7] = std::to_string(previous.sum());
  cells[11] = std::to_string(oldest.sum());
  for (std::size_t k = 0; k < 4; ++k) {
    if (cells[k] == "-") cells[k].clear();  // "-": an empty cell
  }
  return cells;
}

TEST(TypedDraw, TheNewDrawBecomesTheNextPeriodAndOnlyThen) {
  const std::vector<Draw> record = yearOf(6, 5);
  const Draw& last = record[5];
  const Draw& before = record[4];
  const auto typed = [&](const engine::GridStrings& cells, std::optional<std::uint64_t> lastTyped) {
    return typedDraw(engine::viewsOf(cells), record, 2026, lastTyped);
  };
  const Typed next = typed(typedGrid("3 3 2 8", last, before), std::nullopt);
  EXPECT_EQ(next.kind, TypedKind::Next);
  EXPECT_EQ(next.draw.period, 2026007u);
  EXPECT_EQ(next.draw.sum(), 8);
  EXPECT_EQ(typed(typedGrid("3 3 2 -", last, before), std::nullopt).kind, TypedKind::Next);
  EXPECT_EQ(typed(typedGrid("3 3 2 9", last, before), std::nullopt).kind, TypedKind::None);
  EXPECT_EQ(typed(typedGrid("3 3 - -", last, before), std::nullopt).kind, TypedKind::None);
  EXPECT_EQ(typed(typedGrid("3 3 12 18", last, before), std::nullopt).kind, TypedKind::None);
  EXPECT_EQ(typed(typedGrid("3 3 2 8", before, last), std::nullopt).kind, TypedKind::None);

  const std::string lastText = std::to_string(last.digits[0]) + ' ' +
                               std::to_string(last.digits[1]) + ' ' +
                               std::to_string(last.digits[2]) + " -";
  EXPECT_EQ(typed(typedGrid(lastText, before, record[3]), std::nullopt).kind, TypedKind::Known);
  const std::string other = std::to_string((last.digits[0] + 1) % 10) + " 0 0 -";
  // Another draw for the last period, which this page did not type: another page may have, so
  // it disagrees and the player chooses; typed here, it corrects.
  const Typed disagrees = typed(typedGrid(other, before, record[3]), std::nullopt);
  EXPECT_EQ(disagrees.kind, TypedKind::Disagrees);
  EXPECT_EQ(disagrees.draw.period, last.period);
  const Typed corrected = typed(typedGrid(other, before, record[3]), last.period);
  EXPECT_EQ(corrected.kind, TypedKind::Corrected);
  EXPECT_EQ(corrected.draw.period, last.period);
  // The top row emptied again over the two before it takes the draw typed last back out; a
  // draw this page did not type stays.
  const Typed back = typed(typedGrid("- - - -", before, record[3]), last.period);
  EXPECT_EQ(back.kind, TypedKind::TakenBack);
  EXPECT_EQ(back.draw.period, last.period);
  EXPECT_EQ(typed(typedGrid("- - - -", before, record[3]), std::nullopt).kind, TypedKind::None);
}

TEST(LatestGrid, IsTheNewestThreeInARow) {
  const Record record = recordOf(yearOf(5, 6));
  const engine::GridStrings cells = latestGrid(record);
  for (std::size_t p = 0; p < 3; ++p) {
    const Draw& d = record.draws[4 - p];
    EXPECT_EQ(cells[4 * p], std::to_string(d.digits[0]));
    EXPECT_EQ(cells[4 * p + 3], std::to_string(d.sum()));
  }
  Record gapped = record;
  gapped.draws.push_back({2026009, {1, 2, 3}});
  noteGaps(gapped.draws, gapped.notes);
  try {
    latestGrid(gapped);
    ADD_FAILURE() << "a record ending after a gap gave a grid";
  } catch (const BacktestError& error) {
    EXPECT_EQ(error.problem().fault, Fault::NoLatestThree);
    EXPECT_EQ(error.problem().first, 1u);
    EXPECT_EQ(error.problem().second, 2026009u);
  }
}

// The fault `checkJoins` refuses `given` with, or nothing when it may join `kept`.
std::optional<Fault> refusal(const Record& kept, const Record& given, std::string_view name,
                             const game::Game& game = game::kWelfare3D) {
  try {
    checkJoins(kept, given, name, game);
  } catch (const BacktestError& error) {
    return error.problem().fault;
  }
  return std::nullopt;
}

// Nothing that is not this game's draws under this record's numbering joins it whole: another
// game's draws on the same periods, the same draws under other period numbers (a collection that
// numbers late 2004 on from January), a file named for the other game, or draws without periods.
// The record itself, a part of it, its next draws and a few true disagreements still may.
TEST(CheckJoins, RefusesAnotherGamesDrawsAndAnotherNumbering) {
  const Record kept = recordOf(yearOf(300, 4));
  EXPECT_EQ(refusal(kept, kept, "record.csv"), std::nullopt);
  std::vector<Draw> next = yearOf(320, 4);
  next.erase(next.begin(), next.begin() + 250);  // overlaps, then goes on
  EXPECT_EQ(refusal(kept, recordOf(next), "more.csv"), std::nullopt);
  std::vector<Draw> corrected = kept.draws;
  for (const std::size_t i : {10U, 200U})
    corrected[i].digits[0] = static_cast<std::uint8_t>((corrected[i].digits[0] + 1) % 10);
  EXPECT_EQ(refusal(kept, recordOf(corrected), "fixed.csv"), std::nullopt);

  EXPECT_EQ(refusal(kept, recordOf(yearOf(300, 5)), "other.csv"), Fault::OtherGame);
  std::vector<Draw> renumbered(kept.draws.begin(), kept.draws.begin() + 75);
  for (Draw& draw : renumbered) draw.period += 284;  // 2026001 is 2026285 there
  EXPECT_EQ(refusal(kept, recordOf(renumbered), "history.csv"), Fault::OtherNumbering);
  try {
    checkJoins(kept, recordOf(renumbered), "history.csv", game::kWelfare3D);
  } catch (const BacktestError& error) {
    EXPECT_EQ(error.problem().first, 2026285u);
    EXPECT_EQ(error.problem().second, 2026001u);
  }
  for (const char* name : {"pl3-2026.csv", "排列三历史.csv", "PLS_draws.txt", "体彩.csv"})
    EXPECT_EQ(refusal(kept, recordOf(next), name), Fault::OtherGameNamed) << name;
  for (const char* name : {"samples.csv", "fc3d.csv", "福彩3D和排列3.csv", "apl3x.csv"})
    EXPECT_EQ(refusal(kept, recordOf(next), name), std::nullopt) << name;
  Record header = recordOf(next);
  header.notes.header = "期号,排列3开奖号码";
  EXPECT_EQ(refusal(kept, header, "draws.csv"), Fault::OtherGameNamed);
  Record alone = recordOf(next);
  alone.notes.periods = false;
  EXPECT_EQ(refusal(kept, alone, "draws.txt"), Fault::NoPeriodsToKeep);
  // The same rule seen from 排列三's record: a file named for 3D is refused there, its own taken.
  for (const char* name : {"fc3d.csv", "福彩3D.csv", "welfare-2026.txt"})
    EXPECT_EQ(refusal(kept, recordOf(next), name, game::kSportsPick3), Fault::OtherGameNamed) << name;
  for (const char* name : {"pl3-2026.csv", "福彩3D和排列3.csv", "samples.csv"})
    EXPECT_EQ(refusal(kept, recordOf(next), name, game::kSportsPick3), std::nullopt) << name;
}

}  // namespace
}  // namespace quorvel::backtest
