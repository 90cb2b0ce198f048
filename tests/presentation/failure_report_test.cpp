#include "quorvel/presentation/failure_report.h"

#include <gtest/gtest.h>

#include <string>

#include "quorvel/presentation/cell_names.h"

namespace quorvel::presentation {
namespace {

const engine::FailureCause kDiagonal{
    engine::FailureStep::DerivedValues, engine::CellCombination::Sum, {0, 5, 10}};

TEST(BlamedCells, NamesEachCellByRowAndColumnWithItsText) {
  const engine::GridTexts grid{"", "", "", "50000", "", "", "", "7e4"};
  EXPECT_EQ(blamedCellsLine(
                {engine::FailureStep::KeyRules, engine::CellCombination::Product, {3, 7}}, grid),
            "出错的格子：最新一期和值“50000” × 上一期和值“7e4”");
  EXPECT_EQ(blamedCellsLine(
                {engine::FailureStep::TailVotes, engine::CellCombination::Sum, {1, 4, 6}}, grid),
            "出错的格子：最新一期第二位“” ＋ 上一期第一位“” ＋ 上一期第三位“”");
  EXPECT_EQ(
      blamedCellsLine({engine::FailureStep::DrawShift, engine::CellCombination::One, {11}}, grid),
      "出错的格子：最早一期和值“”");
  EXPECT_EQ(blamedCellsLine(engine::FailureCause{}, grid), "");
}

TEST(BlamedCells, TheCommandLineNumbersTheCellsFromOneAndNamesTheStep) {
  const engine::GridTexts cells{"40000", "", "", "50000", "-1", "", "", "50000"};
  EXPECT_EQ(
      failureMessage(engine::Failure::Overflow,
                     {engine::FailureStep::LatestDigits, engine::CellCombination::One, {0}}, cells),
      "运行时错误 '6'：溢出 — cell 1 \"40000\" in the latest digits");
  EXPECT_EQ(failureMessage(
                engine::Failure::Overflow,
                {engine::FailureStep::KeyRules, engine::CellCombination::Product, {3, 7}}, cells),
            "运行时错误 '6'：溢出 — cell 4 \"50000\" × cell 8 \"50000\" in the key rules");
  EXPECT_EQ(
      failureMessage(engine::Failure::Subscript,
                     {engine::FailureStep::TailVotes, engine::CellCombination::Sum, {1, 4, 6}},
                     cells),
      "运行时错误 '9'：下标越界 — cell 2 \"\" + cell 5 \"-1\" + cell 7 \"\" in the tail votes");
  EXPECT_EQ(failureMessage(engine::Failure::Overflow, engine::FailureCause{}, cells),
            "运行时错误 '6'：溢出");
}

TEST(BlamedCells, ALongTextIsQuotedByItsBeginningAndItsLength) {
  const std::string digits(131000, '7');
  const std::string forty(kQuotedCellLength, '7');
  std::string wide(kQuotedCellLength, 'x');
  wide += "额外";  // 42 characters
  const engine::GridTexts cells{digits, forty, wide};
  const engine::FailureCause all{
      engine::FailureStep::LatestDigits, engine::CellCombination::Sum, {0, 1, 2}};
  EXPECT_EQ(blamedCells(all, cells, Wording::CommandLine),
            "cell 1 \"" + forty + "…\" (131000 characters) + cell 2 \"" + forty + "\" + cell 3 \"" +
                std::string(kQuotedCellLength, 'x') + "…\" (42 characters)");
  std::string wideOnScreen(39, 'x');
  wideOnScreen += "额外";
  EXPECT_EQ(blamedCells({engine::FailureStep::LatestDigits, engine::CellCombination::One, {2}},
                        {"", "", wideOnScreen}, Wording::Screen),
            "最新一期第三位“" + std::string(39, 'x') + "额…”（共41个字符）");
}

// The cell to fix is the one whose own number no draw can hold, not the first one named.
TEST(BlamedCells, TheCellToFixIsTheOneNoDrawCanHoldElseTheLargest) {
  const engine::FailureCause tail{
      engine::FailureStep::TailVotes, engine::CellCombination::Sum, {1, 4, 6}};
  EXPECT_EQ(cellToFix(tail, engine::GridTexts{"", "", "", "", "-1"}), 4);
  EXPECT_EQ(cellToFix(tail, engine::GridTexts{"", "3", "", "", "-9"}), 4);
  EXPECT_EQ(cellToFix(tail, engine::GridTexts{"", "8", "", "", "2", "", "9"}), 6);  // the largest
  EXPECT_EQ(cellToFix(tail, engine::GridTexts{}), 1);
  EXPECT_EQ(cellToFix(engine::FailureCause{}, engine::GridTexts{"1"}), -1);
  // 400 nines in the previous period's second digit and 3 in the latest first digit: the nines.
  const std::string nines(400, '9');
  EXPECT_EQ(cellToFix(kDiagonal, engine::GridTexts{"3", "", "", "", "", nines}), 5);
  // A sum of 27 can be a draw's; a digit of 27 cannot.
  const engine::FailureCause product{
      engine::FailureStep::KeyRules, engine::CellCombination::Product, {3, 4}};
  EXPECT_EQ(cellToFix(product, engine::GridTexts{"", "", "", "27", "27"}), 4);
}

TEST(CellNames, TheRowAndColumnAndTheIndexNameTheSameCell) {
  for (int cell = 0; cell < engine::kGridCells; ++cell) {
    EXPECT_EQ(cellName(cell), cellName(cell / engine::kGridColumns, cell % engine::kGridColumns));
  }
  EXPECT_EQ(cellName(1, 3), "上一期和值");
  EXPECT_EQ(cellName(3, 0), "");
  EXPECT_EQ(cellName(0, 4), "");
  EXPECT_EQ(cellName(12), "");
}

}  // namespace
}  // namespace quorvel::presentation
