#include "quorvel/report/record_csv.h"
#include "quorvel/backtest/record_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace quorvel::report {
namespace {

// The shipped record is in the canonical form: read and written again, it is the same bytes;
// and a record read from another form writes the same file.
TEST(RecordCsv, TheShippedRecordWritesBackByteForByte) {
  std::ifstream file(QUORVEL_REAL_RECORD, std::ios::binary);
  const std::string shipped{std::istreambuf_iterator<char>(file), {}};
  std::istringstream in(shipped);
  std::ostringstream out;
  writeRecordCsv(out, backtest::readRecord(in).draws);
  EXPECT_EQ(out.str(), shipped);

  std::istringstream copied(
      "期号\t开奖日期\t开奖号码\r\n2026003\t2026-01-03(六)\t9 0 1\r\n"
      "2026002\t2026-01-02(五)\t035\r\n2026001\t2026-01-01(四)\t100\r\n");
  std::ostringstream canonical;
  writeRecordCsv(canonical, backtest::readRecord(copied).draws);
  EXPECT_EQ(canonical.str(),
            "period,d1,d2,d3,sum\n2026001,1,0,0,1\n2026002,0,3,5,8\n"
            "2026003,9,0,1,10\n");
}

}  // namespace
}  // namespace quorvel::report
