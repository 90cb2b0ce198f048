#include "quorvel/engine/prediction_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "row_name.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::Grid;
using testing::renderResult;

PassResult run(const Grid& grid) { return runPredictionPass(grid.texts()); }

TEST(PredictionPass, EmptyGridCompletesWithEveryBoxWritten) {
  EXPECT_EQ(renderResult(run(Grid{})),
            "Text2=[5 8 9 11 12 14 15 17 18 ] Text3=[5 8 9 11 14 15 17 18 ] "
            "Text4=[5 8 9 11 14 15 17 18 ] Text5(0)=[中边：边] Text5(1)=[大小：小] "
            "Text5(2)=[单双：双] Text5(3)=[前后：前肖] Text5(4)=[3N：3２] failure=0");
}

struct ListsCase {
  Grid grid;
  const char* text2;
  const char* text3;
  const char* text4;
};

std::string describe(const ListsCase& c) { return testing::describe(c.grid); }

class PassLists : public ::testing::TestWithParam<ListsCase> {};

TEST_P(PassLists, NarrowFromPredictedToKeyToExtreme) {
  const PassResult result = run(GetParam().grid);
  EXPECT_EQ(result.failure, Failure::None);
  EXPECT_EQ(result.written, kOutputs);
  EXPECT_EQ(result.text(Output::PredictedRange), GetParam().text2);
  EXPECT_EQ(result.text(Output::KeyRange), GetParam().text3);
  EXPECT_EQ(result.text(Output::ExtremeNumbers), GetParam().text4);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, PassLists,
    ::testing::Values(ListsCase{Grid{"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"},
                                "4 5 8 9 10 11 12 14 15 17 20 22 23 ", "4 8 9 11 12 15 22 23 ",
                                "9 11 12 15 22 "},
                      ListsCase{Grid{"1", "2", "3", "6", "4", "5", "6", "15", "7", "8", "9", "24"},
                                "3 5 6 8 9 10 11 12 13 14 15 17 20 23 ", "3 6 8 11 12 13 14 15 23 ",
                                "3 6 8 11 12 13 14 15 "}),
    testing::NamedRow{});

TEST(PredictionPass, AttributeVerdictsOfTheWorkedGrid) {
  const PassResult result =
      run(Grid{"3", "5", "8", "16", "1", "2", "7", "10", "9", "0", "4", "13"});
  EXPECT_EQ(result.text(Output::MiddleEdge), "中边：中");
  EXPECT_EQ(result.text(Output::BigSmall), "大小：大");
  EXPECT_EQ(result.text(Output::OddEven), "单双：双");
  EXPECT_EQ(result.text(Output::FrontBack), "前后：后肖");
}

struct FailureCase {
  const char* what;
  Grid grid;
  Failure failure;
  int written;  // outputs written before the failure
};

std::string describe(const FailureCase& c) { return c.what; }

class PassFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PassFailure, StopsAtOnceKeepingWhatWasWritten) {
  const FailureCase& c = GetParam();
  const PassResult result = run(c.grid);
  EXPECT_EQ(result.failure, c.failure) << c.what;
  EXPECT_EQ(result.written, c.written) << c.what;
  for (int i = 0; i < kOutputs; ++i) {
    const Output box = kWriteOrder[static_cast<std::size_t>(i)];
    EXPECT_EQ(result.isWritten(box), i < c.written) << c.what << ", box " << i;
    if (i >= c.written) {
      EXPECT_EQ(result.text(box), "") << c.what << ", box " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Placements, PassFailure,
    ::testing::Values(
        FailureCase{"latest digit 40000", Grid{"40000"}, Failure::Overflow, 0},
        FailureCase{"latest digit 32767.5", Grid{"", "", "32767.5"}, Failure::Overflow, 0},
        FailureCase{"latest digit 32767", Grid{"32767"}, Failure::None, 8},
        // -32768.5 is the digit -32768, but combination 2 then has the negative tail -8.
        FailureCase{"latest digit -32768.5", Grid{"-32768.5"}, Failure::Subscript, 0},
        FailureCase{"latest sum 3e9", Grid{"", "", "", "3e9"}, Failure::Overflow, 0},
        FailureCase{"diagonal beyond 32 bits",
                    Grid{"", "", "", "", "", "2e9", "", "", "", "", "2e9"}, Failure::Overflow, 0},
        FailureCase{"previous first digit -1", Grid{"", "", "", "", "-1"}, Failure::Subscript, 0},
        FailureCase{"key product beyond 32 bits", Grid{"", "", "", "50000", "", "", "", "50000"},
                    Failure::Overflow, 1},
        FailureCase{"previous sum beyond the double range",
                    Grid{"", "", "", "", "", "", "", "1e400"}, Failure::Overflow, 1},
        FailureCase{"attribute product 32768", Grid{"16384", "", "", "2"}, Failure::Overflow, 3},
        FailureCase{"attribute product 32767", Grid{"32767", "", "", "1"}, Failure::None, 8}),
    testing::NamedRow{});

TEST(PredictionPass, TheFirstFailureInCombinationOrderWins) {
  // Combination 1 meets the negative tail before combination 4 meets the huge cell.
  EXPECT_EQ(run(Grid{"", "", "", "", "-1", "", "", "", "", "1e300"}).failure, Failure::Subscript);
  EXPECT_EQ(run(Grid{"", "", "", "", "-1e300", "", "", "", "", "", "", "-1"}).failure,
            Failure::Overflow);
}

struct CauseCase {
  const char* what;
  Grid grid;
  FailureCause cause;
};

std::string describe(const CauseCase& c) { return c.what; }

class PassCause : public ::testing::TestWithParam<CauseCase> {};

TEST_P(PassCause, NamesTheStepAndTheCellsBehindTheValue) {
  const PassResult result = run(GetParam().grid);
  ASSERT_NE(result.failure, Failure::None);
  EXPECT_EQ(result.cause, GetParam().cause);
}

using S = FailureStep;
using C = CellCombination;
INSTANTIATE_TEST_SUITE_P(
    Placements, PassCause,
    ::testing::Values(
        CauseCase{"latest digit 40000", Grid{"40000"}, {S::LatestDigits, C::One, {0}}},
        CauseCase{"latest third digit", Grid{"", "", "1e9"}, {S::LatestDigits, C::One, {2}}},
        CauseCase{"latest sum 3e9", Grid{"", "", "", "3e9"}, {S::DerivedValues, C::One, {3}}},
        CauseCase{"diagonal A",
                  Grid{"", "", "", "", "", "2e9", "", "", "", "", "2e9"},
                  {S::DerivedValues, C::Sum, {0, 5, 10}}},
        CauseCase{"diagonal B",
                  Grid{"", "", "", "", "", "", "", "", "3e9"},
                  {S::DerivedValues, C::Sum, {2, 5, 8}}},
        CauseCase{"negative tail of combination 1",
                  Grid{"", "", "", "", "-1"},
                  {S::TailVotes, C::Sum, {1, 4, 6}}},
        CauseCase{"tail sum of combination 4",
                  Grid{"", "", "", "", "", "", "", "", "", "3e9"},
                  {S::TailVotes, C::Sum, {0, 2, 5, 9}}},
        CauseCase{"key product",
                  Grid{"1", "1", "1", "50000", "1", "1", "1", "50000"},
                  {S::KeyRules, C::Product, {3, 7}}},
        CauseCase{"attribute product",
                  Grid{"16384", "", "", "2"},
                  {S::AttributeProducts, C::Product, {0, 3}}},
        CauseCase{"oldest digit times the oldest sum",
                  Grid{"", "", "", "", "", "", "", "", "", "", "300", "200"},
                  {S::AttributeProducts, C::Product, {10, 11}}}),
    testing::NamedRow{});

TEST(PredictionPass, EveryFailureFromOneOversizedCellBlamesThatCell) {
  // Whatever step meets it first, a single cell out of every range is among the cells named.
  for (int cell = 0; cell < kGridCells; ++cell) {
    for (const char* text : {"1e300", "-1e300", "40000", "-40000", "2147483648"}) {
      Grid grid{"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"};
      grid.cells[static_cast<std::size_t>(cell)] = text;
      const PassResult result = run(grid);
      if (result.failure == Failure::None) continue;
      const auto cells = result.cause.cells();
      EXPECT_NE(std::find(cells.begin(), cells.end(), cell), cells.end())
          << "cell " << cell << " = " << text << " failed in step "
          << static_cast<int>(result.cause.step);
    }
  }
}

}  // namespace
}  // namespace quorvel::engine
