#include "quorvel/report/record_csv.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/report/page_report.h"

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

// The names the page saves a kept record and a test's report under.
TEST(FileNames, NameTheRecordByItsNewestPeriodAndTheReportByTheRecord) {
  const std::vector<backtest::Draw> draws = {{2026173, {3, 0, 8}}, {2026174, {6, 1, 8}}};
  EXPECT_EQ(recordFileName(draws), "quorvel-record-2026174.csv");
  EXPECT_EQ(recordFileName({}), "quorvel-record-empty.csv");
  EXPECT_EQ(reportFileName("draws-2004-2026.csv"), "draws-2004-2026-backtest.json");
  EXPECT_EQ(reportFileName("mine.TXT"), "mine-backtest.json");
  EXPECT_EQ(reportFileName("records.csv.gz"), "records.csv.gz-backtest.json");
  EXPECT_EQ(reportFileName(".csv"), "-backtest.json");
}

}  // namespace
}  // namespace quorvel::report
