#include "quorvel/cli/tsv_filter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "quorvel/cli/located_error.h"

namespace quorvel::cli {
namespace {

// A file in memory holding `text`, read from its start.
int memoryFile(const std::string& text) {
  const int fd = memfd_create("tsv", 0);
  EXPECT_EQ(::write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  ::lseek(fd, 0, SEEK_SET);
  return fd;
}

std::string contents(int fd) {
  std::string text;
  ::lseek(fd, 0, SEEK_SET);
  char block[4096];
  for (ssize_t got; (got = ::read(fd, block, sizeof block)) > 0;)
    text.append(block, static_cast<std::size_t>(got));
  return text;
}

// The filter over `input`: what it wrote, and throws what it throws.
struct Filtered {
  int in, out;
  explicit Filtered(const std::string& input) : in(memoryFile(input)), out(memoryFile("")) {}
  ~Filtered() {
    ::close(in);
    ::close(out);
  }
  void run() { runFilter(in, out); }
  std::string written() const { return contents(out); }
};

TEST(TsvFilter, WritesOneResultLineForEachGrid) {
  Filtered filter(
      "3\t5\t8\t16\t2\t7\t1\t10\t9\t0\t4\t13\n"
      "40000\t\t\t\t\t\t\t\t\t\t\t\r\n"
      "\t\t\t50000\t\t\t\t50000\t\t\t\t");
  filter.run();
  EXPECT_EQ(filter.written(),
            "4 5 8 9 10 11 12 14 15 17 20 22 23 \t4 8 9 11 12 15 22 23 \t9 11 12 15 22 \t"
            "中边：边\t大小：大\t单双：双\t前后：前肖\t3N：3０\t0\n"
            "\t\t\t\t\t\t\t\t6\n"
            "5 7 8 9 11 12 14 16 17 18 \t\t\t\t\t\t\t\t6\n");
}

TEST(TsvFilter, StopsAtTheFirstBadLineAfterWritingTheOnesBefore) {
  Filtered filter(
      "\t\t\t\t\t\t\t\t\t\t\t\n"
      "\t\t\t\t\t\t\t\t\t\t\t\n"
      "1\t2\n"
      "\t\t\t\t\t\t\t\t\t\t\t\n");
  try {
    filter.run();
    FAIL() << "took a line of two fields";
  } catch (const LocatedError& error) {
    EXPECT_EQ(error.line(), 3u);
    EXPECT_EQ(error.message(), "expected 12 tab-separated fields, found 2");
  }
  const std::string emptyGrid =
      "5 8 9 11 12 14 15 17 18 \t5 8 9 11 14 15 17 18 \t5 8 9 11 14 15 17 18 \t"
      "中边：边\t大小：小\t单双：双\t前后：前肖\t3N：3２\t0\n";
  EXPECT_EQ(filter.written(), emptyGrid + emptyGrid);
}

TEST(TsvFilter, EmptyInputWritesNothing) {
  Filtered filter("");
  filter.run();
  EXPECT_EQ(filter.written(), "");
}

TEST(TsvFilter, AnswersALongStreamAcrossItsReadBlocks) {
  // Lines straddle every boundary of the filter's blocks; the last one has no line feed.
  std::string input, expected;
  const std::string grid = "1\t2\t3\t6\t4\t5\t6\t15\t7\t8\t9\t24";
  const std::string answer =
      "3 5 6 8 9 10 11 12 13 14 15 17 20 23 \t3 6 8 11 12 13 14 15 23 \t3 6 8 11 12 13 14 15 \t";
  for (int i = 0; i < 200000; ++i) input += grid + (i % 3 == 0 ? "\r\n" : "\n");
  input += grid;
  Filtered filter(input);
  filter.run();
  const std::string out = filter.written();
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = out.find('\n', at)) != std::string::npos; ++at) ++lines;
  EXPECT_EQ(lines, 200001u);
  EXPECT_EQ(out.substr(0, answer.size()), answer);
  EXPECT_EQ(out.size() % (out.find('\n') + 1), 0u);  // every answer the same length
}

TEST(TsvFilter, AnswersAnInteractiveLineBeforeTheNextArrives) {
  int input[2], output[2];
  ASSERT_EQ(::pipe(input), 0);
  ASSERT_EQ(::pipe(output), 0);
  std::thread filter([&] { runFilter(input[0], output[1]); });
  const std::string line = "\t\t\t\t\t\t\t\t\t\t\t\n";
  ASSERT_EQ(::write(input[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
  pollfd answered{output[0], POLLIN, 0};
  EXPECT_EQ(::poll(&answered, 1, 10000), 1) << "no answer while the input stays open";
  ::close(input[1]);
  filter.join();
  ::close(output[1]);
  EXPECT_EQ(contents(output[0]).substr(0, 10), "5 8 9 11 1");
  ::close(input[0]);
  ::close(output[0]);
}

}  // namespace
}  // namespace quorvel::cli
