#include "quorvel/engine/numeric_text.h"

#include <gtest/gtest.h>

#include "row_name.h"

namespace quorvel::engine {
namespace {

struct NumericCase {
  const char* text;
  bool numeric;
};

std::string describe(const NumericCase& c) {
  return (c.numeric ? "accepts " : "rejects ") + std::string(c.text);
}

class NumericText : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericText, AcceptsOnlyPlainDecimalNumbers) {
  EXPECT_EQ(isNumericText(GetParam().text), GetParam().numeric) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumericText,
    ::testing::Values(
        NumericCase{"0", true}, NumericCase{"15", true}, NumericCase{"99", true},
        NumericCase{"2.", true}, NumericCase{"2.5", true}, NumericCase{".5", true},
        NumericCase{"-3", true}, NumericCase{"+3", true}, NumericCase{"5 ", true},
        NumericCase{" 7", true}, NumericCase{"\t7\t", true}, NumericCase{"1e5", true},
        NumericCase{"1E-5", true}, NumericCase{"1.5e+10", true}, NumericCase{"40000", true},
        NumericCase{"1e400", true}, NumericCase{"007", true}, NumericCase{"", false},
        NumericCase{" ", false}, NumericCase{"-", false}, NumericCase{"+", false},
        NumericCase{".", false}, NumericCase{"-.", false}, NumericCase{"1e", false},
        NumericCase{"1e-", false}, NumericCase{"e5", false}, NumericCase{"1a", false},
        NumericCase{"12ab", false}, NumericCase{"1 2", false}, NumericCase{"1.2.3", false},
        NumericCase{"+-3", false}, NumericCase{"1,5", false}, NumericCase{"0x10", false},
        NumericCase{"inf", false}, NumericCase{"nan", false}, NumericCase{"1\n", false},
        NumericCase{"１２", false}, NumericCase{"1d2", false}),
    testing::NamedRow{});

}  // namespace
}  // namespace quorvel::engine
