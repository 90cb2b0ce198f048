#include "failure_message.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(FailureMessage, NumbersTheBlamedCellsFromOneWithTheirTextsAndTheStep) {
  GridTexts cells{"40000", "", "", "50000", "-1", "", "", "50000"};
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

}  // namespace
}  // namespace quorvel
