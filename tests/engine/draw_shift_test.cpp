#include "quorvel/engine/draw_shift.h"

#include <gtest/gtest.h>

#include "quorvel/engine/numeric_text.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::Grid;

TEST(DrawShift, MovesTheTwoNewerPeriodsDownAndEmptiesTheTopRow) {
  const Grid grid{"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"};
  const DrawShiftResult shifted = shiftGridDown(grid.texts());
  ASSERT_EQ(shifted.failure, Failure::None);
  const std::array<std::string, 12> expected = {"",  "",   "",  "",  "3", "5",
                                                "8", "16", "2", "7", "1", "10"};
  EXPECT_EQ(shifted.cells, expected);
}

TEST(DrawShift, FillsEmptyCellsBelowTheTopRowWithZero) {
  const std::array<std::string, 12> zeros = {"",  "",  "",  "",  "0", "0",
                                             "0", "0", "0", "0", "0", "0"};
  EXPECT_EQ(shiftGridDown(Grid{}.texts()).cells, zeros);

  const DrawShiftResult emptyTop = shiftGridDown(Grid{"", "", "", "", "1", "2", "3", "6"}.texts());
  const std::array<std::string, 12> expected = {"",  "",  "",  "",  "0", "0",
                                                "0", "0", "1", "2", "3", "6"};
  EXPECT_EQ(emptyTop.cells, expected);
}

TEST(DrawShift, NormalisesValuesAsTheyMove) {
  const DrawShiftResult shifted =
      shiftGridDown(Grid{"2.5", "3.5", "007", " 7", "-0.5", "-2", "1e3", "+4"}.texts());
  ASSERT_EQ(shifted.failure, Failure::None);
  EXPECT_EQ(shifted.cells[4], "2");
  EXPECT_EQ(shifted.cells[5], "4");
  EXPECT_EQ(shifted.cells[6], "7");
  EXPECT_EQ(shifted.cells[7], "7");
  EXPECT_EQ(shifted.cells[8], "0");
  EXPECT_EQ(shifted.cells[9], "-2");
  EXPECT_EQ(shifted.cells[10], "1000");
  EXPECT_EQ(shifted.cells[11], "4");
  for (const std::string& cell : shifted.cells) EXPECT_TRUE(cell.empty() || isNumericText(cell));
}

TEST(DrawShift, ValueOutOfRangeAnywhereIsTheOverflowFailure) {
  for (std::size_t cell = 0; cell < kGridCells; ++cell) {
    Grid grid{"1", "2", "3", "6", "4", "5", "6", "15", "7", "8", "9", "24"};
    grid.cells[cell] = "40000";
    const DrawShiftResult shifted = shiftGridDown(grid.texts());
    EXPECT_EQ(shifted.failure, Failure::Overflow) << "cell " << cell;
  }
  EXPECT_EQ(shiftGridDown(Grid{"-32768.5", "32767"}.texts()).failure, Failure::None);
}

}  // namespace
}  // namespace quorvel::engine
