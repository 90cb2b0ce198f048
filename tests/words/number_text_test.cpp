#include "quorvel/words/number_text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quorvel::words {
namespace {

TEST(MoneyText, GroupsThousandsAndRoundsToTheFen) {
  EXPECT_EQ(groupedNumber(15352), "15,352");
  EXPECT_EQ(groupedNumber(-1200), "-1,200");
  EXPECT_EQ(groupedNumber(999), "999");
  EXPECT_EQ(yuanText(15352000), "15,352.00");
  EXPECT_EQ(yuanText(9465), "9.47");
  EXPECT_EQ(yuanText(-530), "-0.53");
  EXPECT_EQ(percentText(std::int64_t{632}), "63.2%");
  EXPECT_EQ(percentText(0.51249), "51.2%");
}

}  // namespace
}  // namespace quorvel::words
