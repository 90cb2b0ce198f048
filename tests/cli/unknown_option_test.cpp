#include "quorvel/cli/unknown_option.h"

#include <gtest/gtest.h>

#include <vector>

#include "row_name.h"

namespace quorvel::cli {
namespace {

struct Arguments {
  std::vector<const char*> given;
  std::string message;
};

std::string describe(const Arguments& row) {
  return row.message.empty() ? "known options" : row.message;
}

class UnknownOption : public ::testing::TestWithParam<Arguments> {};

TEST_P(UnknownOption, IsNamedAloneWithAKnownOneCloseToIt) {
  const std::vector<std::string> known = {"--seed", "--shuffles", "--simulate", "--help"};
  EXPECT_EQ(unknownOptionMessage(GetParam().given, known), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UnknownOption,
    ::testing::Values(Arguments{{"--seed", "5", "draws.csv"}, ""},
                      Arguments{{"--sed", "5", "draws.csv"},
                                "unknown option --sed (did you mean --seed?)"},
                      Arguments{{"--simulate", "100", "--shufles=3"},
                                "unknown option --shufles (did you mean --shuffles?)"},
                      Arguments{{"--frobnicate"}, "unknown option --frobnicate"},
                      Arguments{{"-1", "-", "--", "--anything"}, ""}),
    testing::NamedRow{});

TEST(EditDistance, CountsInsertionsDeletionsAndSubstitutions) {
  EXPECT_EQ(editDistance("--sed", "--seed"), 1u);
  EXPECT_EQ(editDistance("--seed", "--sed"), 1u);
  EXPECT_EQ(editDistance("kitten", "sitting"), 3u);
  EXPECT_EQ(editDistance("", "abc"), 3u);
  EXPECT_EQ(editDistance("same", "same"), 0u);
}

}  // namespace
}  // namespace quorvel::cli
