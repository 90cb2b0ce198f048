#include "tsv_filter.h"

#include <gtest/gtest.h>

#include <sstream>

#include "quorvel/located_error.h"

namespace quorvel {
namespace {

TEST(TsvFilter, WritesOneResultLineForEachGrid) {
  std::istringstream in(
      "3\t5\t8\t16\t2\t7\t1\t10\t9\t0\t4\t13\n"
      "40000\t\t\t\t\t\t\t\t\t\t\t\r\n"
      "\t\t\t50000\t\t\t\t50000\t\t\t\t");
  std::ostringstream out;
  tsv::runFilter(in, out);
  EXPECT_EQ(out.str(),
            "4 5 8 9 10 11 12 14 15 17 20 22 23 \t4 8 9 11 12 15 22 23 \t9 11 12 15 22 \t"
            "中边：边\t大小：大\t单双：双\t前后：前肖\t3N：3０\t0\n"
            "\t\t\t\t\t\t\t\t6\n"
            "5 7 8 9 11 12 14 16 17 18 \t\t\t\t\t\t\t\t6\n");
}

TEST(TsvFilter, StopsAtTheFirstBadLineAfterWritingTheOnesBefore) {
  std::istringstream in(
      "\t\t\t\t\t\t\t\t\t\t\t\n"
      "\t\t\t\t\t\t\t\t\t\t\t\n"
      "1\t2\n"
      "\t\t\t\t\t\t\t\t\t\t\t\n");
  std::ostringstream out;
  try {
    tsv::runFilter(in, out);
    FAIL() << "took a line of two fields";
  } catch (const LocatedError& error) {
    EXPECT_EQ(error.line(), 3u);
    EXPECT_EQ(error.message(), "expected 12 tab-separated fields, found 2");
  }
  const std::string emptyGrid =
      "5 8 9 11 12 14 15 17 18 \t5 8 9 11 14 15 17 18 \t5 8 9 11 14 15 17 18 \t"
      "中边：边\t大小：小\t单双：双\t前后：前肖\t3N：3２\t0\n";
  EXPECT_EQ(out.str(), emptyGrid + emptyGrid);
}

TEST(TsvFilter, EmptyInputWritesNothing) {
  std::istringstream in("");
  std::ostringstream out;
  tsv::runFilter(in, out);
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace quorvel
