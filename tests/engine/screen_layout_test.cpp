#include "quorvel/screen_layout.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quorvel {
namespace {

using testing::Grid;

TEST(BlamedCells, NamesEachCellByRowAndColumnWithItsText) {
  const Grid grid{"", "", "", "50000", "", "", "", "7e4"};
  EXPECT_EQ(
      blamedCellsLine({FailureStep::KeyRules, CellCombination::Product, {3, 7}}, grid.texts()),
      "出错的格子：最新一期和值“50000” × 上一期和值“7e4”");
  EXPECT_EQ(
      blamedCellsLine({FailureStep::TailVotes, CellCombination::Sum, {1, 4, 6}}, grid.texts()),
      "出错的格子：最新一期第二位“” ＋ 上一期第一位“” ＋ 上一期第三位“”");
  EXPECT_EQ(blamedCellsLine({FailureStep::DrawShift, CellCombination::One, {11}}, grid.texts()),
            "出错的格子：最早一期和值“”");
  EXPECT_EQ(blamedCellsLine(FailureCause{}, grid.texts()), "");
}

TEST(BlamedCells, TheCellToFixIsTheFirstOneWithAText) {
  const FailureCause tail{FailureStep::TailVotes, CellCombination::Sum, {1, 4, 6}};
  EXPECT_EQ(cellToFix(tail, Grid{"", "", "", "", "-1"}.texts()), 4);
  EXPECT_EQ(cellToFix(tail, Grid{"", "3", "", "", "-9"}.texts()), 1);
  EXPECT_EQ(cellToFix(tail, Grid{}.texts()), 1);
  EXPECT_EQ(cellToFix(FailureCause{}, Grid{"1"}.texts()), -1);
}

}  // namespace
}  // namespace quorvel
