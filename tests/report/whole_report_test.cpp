// The whole reports, compared byte for byte with the ones kept beside this test: a change to any
// word, number format, order or field of the table or the JSON shows here as a diff of the whole
// output. When a change is meant, run the test with QUORVEL_WRITE_GOLDEN=1 to write the new
// outputs, and read the diff before committing them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "quorvel/backtest/audit.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/simulated_draws.h"
#include "quorvel/report/json_report.h"
#include "quorvel/report/table_report.h"
#include "row_name.h"

namespace quorvel::report {
namespace {

// Fair simulated draws numbered as a real record is, 351 a year from 2023 and into 2026 past the
// period the verdict was fixed through, so that the later draws' block is written too.
std::vector<backtest::Draw> numberedRecord() {
  std::vector<backtest::Draw> draws = backtest::simulateHistory(3 * 351 + 200, 9);
  for (std::size_t i = 0; i < draws.size(); ++i)
    draws[i].period = (2023 + i / 351) * 1000 + i % 351 + 1;
  return draws;
}

const backtest::BacktestResult& result() {
  static const backtest::BacktestResult kResult = [] {
    backtest::BacktestOptions options;
    options.shuffles = 200;
    options.seed = 5;
    options.threads = 2;
    return backtest::runBacktest(numberedRecord(), options);
  }();
  return kResult;
}

struct WholeReport {
  const char* name;  // the kept file's name
  std::string (*write)();
};

std::string written(void (*write)(std::ostream&, const backtest::Audit&)) {
  static const backtest::Audit kAudit = backtest::auditRecord(numberedRecord());
  std::ostringstream out;
  write(out, kAudit);
  return out.str();
}

const WholeReport kReports[] = {
    {"table_english.txt",
     [] {
       return written([](std::ostream& out, const backtest::Audit& audit) {
         writeTable(out, result(), words::Language::English, &audit);
       });
     }},
    {"table_chinese.txt",
     [] {
       return written([](std::ostream& out, const backtest::Audit& audit) {
         writeTable(out, result(), words::Language::Chinese, &audit);
       });
     }},
    {"report.json",
     [] {
       return written(
           [](std::ostream& out, const backtest::Audit& audit) { writeJson(out, result(), &audit); });
     }},
};

std::string describe(const WholeReport& report) { return report.name; }

class WholeReportTest : public ::testing::TestWithParam<WholeReport> {};

TEST_P(WholeReportTest, IsTheKeptOutputByteForByte) {
  std::string path = QUORVEL_GOLDEN_DIR;
  path.append("/").append(GetParam().name);
  const std::string output = GetParam().write();
  if (std::getenv("QUORVEL_WRITE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << output;
    GTEST_SKIP() << "wrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "no kept output at " << path;
  const std::string kept{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(output, kept) << path;
}

INSTANTIATE_TEST_SUITE_P(Reports, WholeReportTest, ::testing::ValuesIn(kReports),
                         testing::NamedRow{});

}  // namespace
}  // namespace quorvel::report
