#include "quorvel/presentation/grid_notes.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "row_name.h"

namespace quorvel::presentation {
namespace {

struct NoteCase {
  std::string name;
  engine::GridStrings grid;
  std::string notes;  // the Chinese notes, one a line
};

std::string describe(const NoteCase& c) { return c.name; }

std::string chineseNotes(const engine::GridStrings& grid) {
  const engine::GridTexts cells = engine::viewsOf(grid);
  std::string text;
  for (const GridNote& note : gridNotes(cells))
    text += noteText(note, cells, Language::Chinese) + "\n";
  return text;
}

class Notes : public ::testing::TestWithParam<NoteCase> {};

TEST_P(Notes, SayWhereTheGridAndTheDrawsPartWays) {
  EXPECT_EQ(chineseNotes(GetParam().grid), GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, Notes,
    ::testing::Values(
        NoteCase{
            "three draws", {"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"}, ""},
        NoteCase{"after the draw shift",
                 {"", "", "", "", "3", "5", "8", "16", "2", "7", "1", "10"},
                 "最新一期空着，预测按 0 0 0、和值 0 计算\n"},
        NoteCase{"a wrong sum",
                 {"3", "5", "8", "16", "1", "2", "3", "15", "9", "0", "4", "13"},
                 "上一期和值是“15”，但 1＋2＋3＝6\n"},
        NoteCase{"digits of 12 and -3 and 2.5",
                 {"12", "-3", "2.5", "16", "2", "7", "1", "10", "9", "0", "4", "13"},
                 "最新一期第一位是“12”，开奖号码只有 0 到 9 的整数\n"
                 "最新一期第二位是“-3”，开奖号码只有 0 到 9 的整数\n"
                 "最新一期第三位是“2.5”，开奖号码只有 0 到 9 的整数\n"},
        NoteCase{"a cell left empty",
                 {"3", "", "8", "11", "2", "7", "1", "", "9", "0", "4", "13"},
                 "最新一期第二位空着，预测按 0 计算\n上一期和值空着，预测按 0 计算\n"},
        NoteCase{"a sum no draw has",
                 {"9", "9", "9", "27.0", "2", "7", "1", "10", "9", "9", "9", "27.5"},
                 "最早一期和值是“27.5”，但 9＋9＋9＝27\n"}),
    testing::NamedRow{});

// Any three real draws, written as a player writes them, give no note in either language.
TEST(Notes, NoneForThreeRealDraws) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    engine::GridStrings grid;
    for (int p = 0; p < engine::kGridPeriods; ++p) {
      int sum = 0;
      for (int k = 0; k < 3; ++k) {
        const int digit = static_cast<int>(random() % 10);
        sum += digit;
        grid[static_cast<std::size_t>(4 * p + k)] = std::to_string(digit);
      }
      grid[static_cast<std::size_t>(4 * p + 3)] = std::to_string(sum);
    }
    ASSERT_TRUE(gridNotes(engine::viewsOf(grid)).empty()) << grid[0] << grid[1] << grid[2];
  }
}

TEST(Notes, TheEnglishSaysTheSameOfTheSameCells) {
  const engine::GridStrings grid = {"", "", "", "", "1", "2", "3", "15", "12", "", "4", "13"};
  const engine::GridTexts cells = engine::viewsOf(grid);
  const std::vector<GridNote> notes = gridNotes(cells);
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(noteText(notes[0], cells, Language::English),
            "The latest period is empty; the forecast reads it as 0 0 0 with the sum 0");
  EXPECT_EQ(noteText(notes[1], cells, Language::English),
            "The previous period's sum is \"15\", but 1 + 2 + 3 is 6");
  EXPECT_EQ(noteCells(notes[1]), (std::vector<int>{4, 5, 6, 7}));
  EXPECT_EQ(noteText(notes[2], cells, Language::English),
            "The oldest period's first digit is \"12\", but a drawn digit is a whole number from "
            "0 to 9");
  EXPECT_EQ(noteCells(notes[3]), (std::vector<int>{9}));
}

}  // namespace
}  // namespace quorvel::presentation
