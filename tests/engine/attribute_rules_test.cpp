#include "attribute_rules.h"

#include <gtest/gtest.h>

#include "pass_stopped.h"
#include "row_name.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::Grid;
using testing::render;

TEST(AttributeRules, WorkedGrid) {
  HistoryGrid grid(Grid{"3", "5", "8", "16", "1", "2", "7", "10", "9", "0", "4", "13"}.texts());
  PassStorage pass;
  formAttrProducts(grid, pass);
  EXPECT_EQ(render(pass.attrProducts, 9), "48 16 144 50 20 0 104 91 52");
  EXPECT_EQ(ruleMiddleEdge(pass), Verdict::Middle);
  EXPECT_EQ(render(pass.attrVotes, 3), "5 4 0");
  EXPECT_EQ(ruleBigSmall(pass), Verdict::Big);
  EXPECT_EQ(render(pass.attrVotes, 3), "6 3 0");
  EXPECT_EQ(ruleOddEven(pass), Verdict::Even);
  EXPECT_EQ(render(pass.attrVotes, 3), "8 1 0");
  EXPECT_EQ(ruleFrontBack(pass), Verdict::Back);
  EXPECT_EQ(render(pass.attrVotes, 3), "4 5 0");
}

struct ProductCase {
  std::int16_t product;
  Verdict middleEdge, bigSmall, oddEven, frontBack;
};

std::string describe(const ProductCase& c) { return "product " + std::to_string(c.product); }

class ProductClass : public ::testing::TestWithParam<ProductCase> {};

// With all nine products equal, each rule calls the class of that one product.
TEST_P(ProductClass, ReadsTheProductAsADrawResult) {
  const ProductCase& c = GetParam();
  PassStorage pass;
  for (int i = 0; i < 9; ++i) pass.attrProducts.add(i, c.product);
  EXPECT_EQ(ruleMiddleEdge(pass), c.middleEdge) << c.product;
  EXPECT_EQ(ruleBigSmall(pass), c.bigSmall) << c.product;
  EXPECT_EQ(ruleOddEven(pass), c.oddEven) << c.product;
  EXPECT_EQ(ruleFrontBack(pass), c.frontBack) << c.product;
}

using V = Verdict;
INSTANTIATE_TEST_SUITE_P(Boundaries, ProductClass,
                         ::testing::Values(ProductCase{0, V::Edge, V::Small, V::Even, V::Front},
                                           ProductCase{3, V::Edge, V::Small, V::Odd, V::Front},
                                           ProductCase{4, V::Edge, V::Small, V::Even, V::Back},
                                           ProductCase{6, V::Edge, V::Small, V::Even, V::Back},
                                           ProductCase{7, V::Middle, V::Small, V::Odd, V::Back},
                                           ProductCase{9, V::Middle, V::Small, V::Odd, V::Back},
                                           ProductCase{10, V::Middle, V::Small, V::Even, V::Front},
                                           ProductCase{11, V::Middle, V::Small, V::Odd, V::Front},
                                           ProductCase{12, V::Middle, V::Small, V::Even, V::Front},
                                           ProductCase{13, V::Middle, V::Small, V::Odd, V::Front},
                                           ProductCase{14, V::Middle, V::Big, V::Even, V::Front},
                                           ProductCase{15, V::Middle, V::Big, V::Odd, V::Front},
                                           ProductCase{20, V::Middle, V::Big, V::Even, V::Back},
                                           ProductCase{21, V::Edge, V::Big, V::Odd, V::Back},
                                           ProductCase{27, V::Edge, V::Big, V::Odd, V::Front},
                                           ProductCase{28, V::Edge, V::Small, V::Even, V::Back},
                                           ProductCase{34, V::Edge, V::Small, V::Even, V::Front},
                                           ProductCase{-1, V::Edge, V::Small, V::Odd, V::Back},
                                           ProductCase{-11, V::Edge, V::Small, V::Odd, V::Back},
                                           ProductCase{-12, V::Edge, V::Small, V::Even, V::Front},
                                           ProductCase{-13, V::Edge, V::Small, V::Odd, V::Back},
                                           ProductCase{-32768, V::Edge, V::Small, V::Even, V::Back},
                                           ProductCase{32767, V::Middle, V::Small, V::Odd,
                                                       V::Back}),
                         testing::NamedRow{});

struct ProductRoundingCase {
  Grid grid;
  std::int16_t entry0;
};

std::string describe(const ProductRoundingCase& c) { return testing::describe(c.grid); }

class ProductRounding : public ::testing::TestWithParam<ProductRoundingCase> {};

TEST_P(ProductRounding, RoundsTheUnroundedCellsProductHalvesToEven) {
  HistoryGrid grid(GetParam().grid.texts());
  PassStorage pass;
  formAttrProducts(grid, pass);
  EXPECT_EQ(pass.attrProducts[0], GetParam().entry0);
}

INSTANTIATE_TEST_SUITE_P(Cells, ProductRounding,
                         ::testing::Values(ProductRoundingCase{Grid{"2.5", "", "", "3"}, 8},
                                           ProductRoundingCase{Grid{"0.5", "", "", "5"}, 2},
                                           ProductRoundingCase{Grid{"-1", "", "", "13"}, -13},
                                           ProductRoundingCase{Grid{"32767", "", "", "1"}, 32767},
                                           ProductRoundingCase{Grid{"-0.5", "", "", "65537"},
                                                               -32768}),
                         testing::NamedRow{});

TEST(AttributeRules, ProductOutOfSixteenBitsIsTheOverflowFailure) {
  for (const Grid& cells : {Grid{"16384", "", "", "2"}, Grid{"2000", "", "", "20"},
                            Grid{"", "", "", "", "", "", "", "", "", "", "1e400", "0"}}) {
    HistoryGrid grid(cells.texts());
    PassStorage pass;
    EXPECT_THROW(formAttrProducts(grid, pass), PassStopped) << cells.cells[0];
  }
}

struct Mod3Case {
  std::vector<std::pair<int, int>> votes;  // (sum, count); every other count is 0
  Verdict expected;
};

std::string describe(const Mod3Case& c) {
  std::string text = "votes";
  for (auto [sum, count] : c.votes)
    text += " " + std::to_string(count) + " for " + std::to_string(sum);
  return text;
}

class Mod3Rule : public ::testing::TestWithParam<Mod3Case> {};

TEST_P(Mod3Rule, WeighsCountsOfOneToThreeByRemainderClass) {
  PassStorage pass;
  for (auto [sum, count] : GetParam().votes) pass.sumVotes.add(sum, count);
  EXPECT_EQ(ruleMod3(pass), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Votes, Mod3Rule,
    ::testing::Values(Mod3Case{{{12, 2}, {13, 2}, {14, 3}, {15, 1}, {20, 5}}, Verdict::NoCall},
                      Mod3Case{{{12, 2}, {13, 2}, {14, 3}, {15, 1}, {20, 3}}, Verdict::Mod3Is2},
                      Mod3Case{{}, Verdict::NoCall},
                      Mod3Case{{{3, 4}, {4, 7}, {5, -1}},
                               Verdict::NoCall},  // only 1, 2 and 3 count
                      Mod3Case{{{7, 1}, {3, 4}, {5, 4}}, Verdict::Mod3Is1},  // one vote wins alone
                      Mod3Case{{{0, 3}, {1, 2}, {2, 2}}, Verdict::Mod3Is0},
                      Mod3Case{{{0, 2}, {1, 2}, {2, 2}}, Verdict::NoCall},
                      Mod3Case{{{0, 1}, {1, 2}, {4, 1}, {2, 3}}, Verdict::NoCall},
                      Mod3Case{{{0, 1}, {1, 2}, {4, 2}, {2, 3}}, Verdict::Mod3Is1}),
    testing::NamedRow{});

}  // namespace
}  // namespace quorvel::engine
