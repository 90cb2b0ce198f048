// The draw-history reader over arbitrary bytes: a located error, worded in either language, or a
// history of valid draws.

#include <sstream>
#include <string>

#include "fuzz_check.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/report/problem_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const std::vector<quorvel::backtest::Draw> draws =
        quorvel::backtest::readRecord(in, size).draws;
    for (std::size_t i = 0; i < draws.size(); ++i) {
      for (const int digit : draws[i].digits) FUZZ_CHECK(digit >= 0 && digit <= 9);
      FUZZ_CHECK(i == 0 || draws[i].period > draws[i - 1].period);
    }
  } catch (const quorvel::backtest::BacktestError& error) {
    const quorvel::backtest::Problem& problem = error.problem();
    FUZZ_CHECK(problem.line >= 1 && problem.column >= 1 && *error.what() != '\0');
    // The page's wording in Chinese names the same place.
    const std::string chinese =
        quorvel::report::locatedText("f.csv", problem, quorvel::words::Language::Chinese);
    FUZZ_CHECK(chinese.starts_with("f.csv 第" + std::to_string(problem.line) + "行"));
    // The line named exists: there are at least line - 1 line ends (LF, CRLF or a lone CR).
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < size; ++i) {
      lineEnds += data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'));
    }
    FUZZ_CHECK(problem.line <= lineEnds + 1);
  }
  return 0;
}
