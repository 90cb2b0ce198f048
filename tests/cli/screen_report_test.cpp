#include "quorvel/cli/screen_report.h"

#include <gtest/gtest.h>

namespace quorvel::cli {
namespace {

presentation::ForecastView chineseView(const engine::GridTexts& grid) {
  return presentation::forecastView(grid, game::kWelfare3D, words::Language::Chinese);
}

TEST(ScreenReport, ShowsWrittenBoxesInScreenOrderUnderTheirCaptions) {
  engine::GridTexts grid{"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"};
  EXPECT_EQ(
      screenReport(chineseView(grid)),
      "预测号码范围\n4 5 8 9 10 11 12 14 15 17 20 22 23 \n"
      "随机落入 62.4%　投注 13 注 26 元　平均返还 13.54 元（亏 12.46 元）\n"
      "重点号码范围\n4 8 9 11 12 15 22 23 \n"
      "随机落入 36.6%　投注 8 注 16 元　平均返还 8.40 元（亏 7.60 元）\n"
      "极限号码\n9 11 12 15 22 \n"
      "随机落入 29.1%　投注 5 注 10 元　平均返还 5.30 元（亏 4.70 元）\n"
      "属性选择\n中边：边\n随机落入 16.8%\n3N：3０\n随机落入 33.4%\n大小：大\n随机落入 50.0%\n"
      "单双：双\n随机落入 50.0%\n前后：前肖\n随机落入 50.4%\n");

  engine::GridTexts keyOverflow{"", "", "", "50000", "", "", "", "50000"};
  EXPECT_EQ(screenReport(chineseView(keyOverflow)),
            "预测号码范围\n5 7 8 9 11 12 14 16 17 18 \n"
            "随机落入 56.1%　投注 10 注 20 元　平均返还 10.42 元（亏 9.58 元）\n");
  engine::GridTexts firstCell{"40000"};
  EXPECT_EQ(screenReport(chineseView(firstCell)), "");
}

}  // namespace
}  // namespace quorvel::cli
