#include "quorvel/presentation/failure_report.h"

#include <gtest/gtest.h>

#include <string>

#include "quorvel/presentation/cell_names.h"

namespace quorvel {
namespace {

TEST(BlamedCells, NamesEachCellByRowAndColumnWithItsText) {
  const GridTexts grid{"", "", "", "50000", "", "", "", "7e4"};
  EXPECT_EQ(blamedCellsLine({FailureStep::KeyRules, CellCombination::Product, {3, 7}}, grid),
            "出错的格子：最新一期和值“50000” × 上一期和值“7e4”");
  EXPECT_EQ(blamedCellsLine({FailureStep::TailVotes, CellCombination::Sum, {1, 4, 6}}, grid),
            "出错的格子：最新一期第二位“” ＋ 上一期第一位“” ＋ 上一期第三位“”");
  EXPECT_EQ(blamedCellsLine({FailureStep::DrawShift, CellCombination::One, {11}}, grid),
            "出错的格子：最早一期和值“”");
  EXPECT_EQ(blamedCellsLine(FailureCause{}, grid), "");
}

TEST(BlamedCells, TheCommandLineNumbersTheCellsFromOneAndNamesTheStep) {
  const GridTexts cells{"40000", "", "", "50000", "-1", "", "", "50000"};
  EXPECT_EQ(failureMessage(Failure::Overflow,
                           {FailureStep::LatestDigits, CellCombination::One, {0}}, cells),
            "运行时错误 '6'：溢出 — cell 1 \"40000\" in the latest digits");
  EXPECT_EQ(failureMessage(Failure::Overflow,
                           {FailureStep::KeyRules, CellCombination::Product, {3, 7}}, cells),
            "运行时错误 '6'：溢出 — cell 4 \"50000\" × cell 8 \"50000\" in the key rules");
  EXPECT_EQ(
      failureMessage(Failure::Subscript, {FailureStep::TailVotes, CellCombination::Sum, {1, 4, 6}},
                     cells),
      "运行时错误 '9'：下标越界 — cell 2 \"\" + cell 5 \"-1\" + cell 7 \"\" in the tail votes");
  EXPECT_EQ(failureMessage(Failure::Overflow, FailureCause{}, cells), "运行时错误 '6'：溢出");
}

TEST(BlamedCells, ALongTextIsQuotedByItsBeginningAndItsLength) {
  const std::string digits(131000, '7');
  const std::string forty(kQuotedCellLength, '7');
  const std::string wide = std::string(kQuotedCellLength, 'x') + "额外";  // 42 characters
  const GridTexts cells{digits, forty, wide};
  const FailureCause all{FailureStep::LatestDigits, CellCombination::Sum, {0, 1, 2}};
  EXPECT_EQ(blamedCells(all, cells, Wording::CommandLine),
            "cell 1 \"" + forty + "…\" (131000 characters) + cell 2 \"" + forty +
                "\" + cell 3 \"" + std::string(kQuotedCellLength, 'x') + "…\" (42 characters)");
  EXPECT_EQ(blamedCells({FailureStep::LatestDigits, CellCombination::One, {2}},
                        {"", "", std::string(39, 'x') + "额外"}, Wording::Screen),
            "最新一期第三位“" + std::string(39, 'x') + "额…”（共41个字符）");
}

TEST(BlamedCells, TheCellToFixIsTheFirstOneWithAText) {
  const FailureCause tail{FailureStep::TailVotes, CellCombination::Sum, {1, 4, 6}};
  EXPECT_EQ(cellToFix(tail, GridTexts{"", "", "", "", "-1"}), 4);
  EXPECT_EQ(cellToFix(tail, GridTexts{"", "3", "", "", "-9"}), 1);
  EXPECT_EQ(cellToFix(tail, GridTexts{}), 1);
  EXPECT_EQ(cellToFix(FailureCause{}, GridTexts{"1"}), -1);
}

TEST(CellNames, TheRowAndColumnAndTheIndexNameTheSameCell) {
  for (int cell = 0; cell < kGridCells; ++cell) {
    EXPECT_EQ(cellName(cell), cellName(cell / kGridColumns, cell % kGridColumns));
  }
  EXPECT_EQ(cellName(1, 3), "上一期和值");
  EXPECT_EQ(cellName(3, 0), "");
  EXPECT_EQ(cellName(0, 4), "");
  EXPECT_EQ(cellName(12), "");
}

}  // namespace
}  // namespace quorvel
