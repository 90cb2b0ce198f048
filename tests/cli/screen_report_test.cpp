#include "quorvel/cli/screen_report.h"

#include <gtest/gtest.h>

namespace quorvel::cli {
namespace {

TEST(ScreenReport, ShowsWrittenBoxesInScreenOrderUnderTheirCaptions) {
  engine::GridTexts grid{"3", "5", "8", "16", "2", "7", "1", "10", "9", "0", "4", "13"};
  EXPECT_EQ(screenReport(engine::runPredictionPass(grid)),
            "预测号码范围\n4 5 8 9 10 11 12 14 15 17 20 22 23 \n"
            "重点号码范围\n4 8 9 11 12 15 22 23 \n"
            "极限号码\n9 11 12 15 22 \n"
            "属性选择\n中边：边\n3N：3０\n大小：大\n单双：双\n前后：前肖\n");

  engine::GridTexts keyOverflow{"", "", "", "50000", "", "", "", "50000"};
  EXPECT_EQ(screenReport(engine::runPredictionPass(keyOverflow)),
            "预测号码范围\n5 7 8 9 11 12 14 16 17 18 \n");
  engine::GridTexts firstCell{"40000"};
  EXPECT_EQ(screenReport(engine::runPredictionPass(firstCell)), "");
}

}  // namespace
}  // namespace quorvel::cli
