#include "quorvel/report/section_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "row_name.h"

namespace quorvel::report {
namespace {

struct TookRow {
  std::string name;
  double milliseconds;
  Language language;
  std::string text;
};

std::string describe(const TookRow& row) { return row.name; }

class TookText : public ::testing::TestWithParam<TookRow> {};

// The page hands over the milliseconds it measured; the player reads tenths of a second.
TEST_P(TookText, ShowsTenthsOfASecond) {
  EXPECT_EQ(tookText(GetParam().milliseconds, GetParam().language), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, TookText,
    ::testing::Values(TookRow{"under a tenth", 40, Language::Chinese, "（用时 0.0 秒）"},
                      TookRow{"up to the next tenth", 1260, Language::Chinese, "（用时 1.3 秒）"},
                      TookRow{"a minute and more", 61234, Language::English, " (61.2 s)"}),
    testing::NamedRow{});

}  // namespace
}  // namespace quorvel::report
