#include "quorvel/engine/sum_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quorvel::engine {
namespace {

// The list text as its rule says it: every listed sum in ascending order, each followed by a space.
std::string spelledOut(SumSet set) {
  std::string text;
  for (int s = 0; s < kSumCount; ++s) {
    if (contains(set, s)) text += std::to_string(s) + " ";
  }
  return text;
}

std::string formatted(SumSet set) {
  std::string text = "before|";  // appends, leaving what the text held
  formatSumList(text, set);
  EXPECT_EQ(text.substr(0, 7), "before|");
  return text.substr(7);
}

TEST(SumList, WritesEverySetAsItsRuleSpellsIt) {
  EXPECT_EQ(formatted(0), "");
  EXPECT_EQ(formatted(makeSumSet({0, 9, 10, 27})), "0 9 10 27 ");
  for (int s = 0; s < kSumCount; ++s)
    EXPECT_EQ(formatted(SumSet{1} << s), spelledOut(SumSet{1} << s));
  const SumSet all = (SumSet{1} << kSumCount) - 1;
  EXPECT_EQ(formatted(all), spelledOut(all));
  EXPECT_EQ(formatted(~SumSet{0}), spelledOut(all));  // bits past 27 name no sum
  std::mt19937 random(7);
  for (int n = 0; n < 100000; ++n) {
    const SumSet set = static_cast<SumSet>(random()) & all;
    ASSERT_EQ(formatted(set), spelledOut(set)) << set;
  }
}

}  // namespace
}  // namespace quorvel::engine
