// The TSV filter over arbitrary input, and the escapes' round trip.

#include <fuzzer/FuzzedDataProvider.h>
#include <sys/mman.h>
#include <unistd.h>

#include <sstream>
#include <string>

#include "fuzz_check.h"
#include "quorvel/cli/tsv_codec.h"
#include "quorvel/cli/tsv_filter.h"

namespace engine = quorvel::engine;

namespace {

std::size_t count(const std::string& text, char c) {
  std::size_t n = 0;
  for (char x : text) n += x == c;
  return n;
}

bool decodes(std::string_view line, std::size_t number, engine::GridStrings& cells) {
  try {
    quorvel::cli::decodeLine(line, number, cells);
    // The filter's splitter gives the same fields.
    engine::GridStrings scratch;
    engine::GridTexts fields;
    quorvel::cli::splitLine(line, number, scratch, fields);
    for (std::size_t i = 0; i < fields.size(); ++i) FUZZ_CHECK(fields[i] == cells[i]);
    return true;
  } catch (const quorvel::cli::LocatedError& error) {
    FUZZ_CHECK(error.line() == number);
    engine::GridStrings scratch;
    engine::GridTexts fields;
    bool splitterRefuses = false;
    try {
      quorvel::cli::splitLine(line, number, scratch, fields);
    } catch (const quorvel::cli::LocatedError& again) {
      splitterRefuses = again.message() == error.message();
    }
    FUZZ_CHECK(splitterRefuses);
    return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  // The filter: one answer for each good line before the first bad one, nine fields each.
  const int in = memfd_create("in", 0);
  const int out = memfd_create("out", 0);
  FUZZ_CHECK(::write(in, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()));
  ::lseek(in, 0, SEEK_SET);
  std::size_t badLine = 0;
  try {
    quorvel::cli::runFilter(in, out);
  } catch (const quorvel::cli::LocatedError& error) {
    badLine = error.line();
    FUZZ_CHECK(badLine >= 1 && error.column() >= 1);
  }
  std::string answers(static_cast<std::size_t>(::lseek(out, 0, SEEK_CUR)), '\0');
  FUZZ_CHECK(::pread(out, answers.data(), answers.size(), 0) ==
             static_cast<ssize_t>(answers.size()));
  ::close(in);
  ::close(out);
  FUZZ_CHECK(answers.empty() || answers.back() == '\n');
  std::size_t goodLines = 0;
  {
    std::istringstream lines(bytes);
    std::string line;
    engine::GridStrings cells;
    while (std::getline(lines, line) && decodes(line, goodLines + 1, cells)) ++goodLines;
  }
  FUZZ_CHECK(count(answers, '\n') == goodLines);
  FUZZ_CHECK(badLine == 0 || badLine == goodLines + 1);
  std::istringstream answerLines(answers);
  for (std::string line; std::getline(answerLines, line);) {
    FUZZ_CHECK(count(line, '\t') == 8);
    const std::string failure = line.substr(line.rfind('\t') + 1);
    FUZZ_CHECK(failure == "0" || failure == "6" || failure == "9");
  }

  // Any twelve fields survive escaping and decoding unchanged.
  FuzzedDataProvider input(data, size);
  std::array<std::string, engine::kGridCells> fields;
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    fields[i] = input.ConsumeRandomLengthString(32);
    if (i > 0) line.push_back('\t');
    quorvel::cli::appendEscaped(line, fields[i]);
  }
  FUZZ_CHECK(line.find('\n') == std::string::npos && line.find('\r') == std::string::npos);
  engine::GridStrings decoded;
  FUZZ_CHECK(decodes(line, 1, decoded));
  FUZZ_CHECK(decoded == fields);
  return 0;
}
