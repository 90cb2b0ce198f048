#include "sum_votes.h"

#include <gtest/gtest.h>

#include <string>

#include "row_name.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::countsOf;
using testing::render;

struct RowCase {
  const VoteTable* table;
  const char* tableName;
  int digit;
  const char* resultingVotes;  // the sums the row gives a vote, a twice-voted sum written twice
};

std::string describe(const RowCase& c) {
  return std::string(c.tableName) + " digit " + std::to_string(c.digit);
}

std::array<int, 28> netVotes(const VoteRow& row) {
  std::array<int, 28> votes{};
  for (int s = 0; s < 28; ++s)
    votes[static_cast<std::size_t>(s)] = contains(row.once, s) + contains(row.twice, s);
  return votes;
}

class VoteTableRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(VoteTableRow, YieldsItsResultingVotes) {
  const RowCase& c = GetParam();
  EXPECT_EQ(netVotes((*c.table)[static_cast<std::size_t>(c.digit)]), countsOf(c.resultingVotes))
      << c.tableName << " row " << c.digit;
}

const VoteTable* const kFirst = &kFirstDigitVotes;
const VoteTable* const kSecond = &kSecondDigitVotes;
const VoteTable* const kThird = &kThirdDigitVotes;

INSTANTIATE_TEST_SUITE_P(
    AllRows, VoteTableRow,
    ::testing::Values(RowCase{kFirst, "first", 0, "2, 5, 7-8, 10-18, 20-21, 24, 26"},
                      RowCase{kFirst, "first", 1, "2, 5-6, 10-12, 14-20, 22, 24"},
                      RowCase{kFirst, "first", 2, "6-7, 9-22"},
                      RowCase{kFirst, "first", 3, "3, 5-11, 14-18, 20-24"},
                      RowCase{kFirst, "first", 4, "5-13, 16-17, 20-22, 25"},
                      RowCase{kFirst, "first", 5, "0, 5-6, 8, 10-11, 13-21"},
                      RowCase{kFirst, "first", 6, "2, 6, 8, 8, 9-17, 19-20, 22, 24, 26"},
                      RowCase{kFirst, "first", 7, "3-5, 7, 10-14, 16-17, 19-20, 23, 26"},
                      RowCase{kFirst, "first", 8, "6-7, 9-14, 16, 18-20, 24, 26"},
                      RowCase{kFirst, "first", 9, "1, 3, 5, 7, 9-13, 15-20"},
                      RowCase{kSecond, "second", 0, "5-7, 9, 11-16, 19-21, 24"},
                      RowCase{kSecond, "second", 1, "2, 5-6, 8-21, 26"},
                      RowCase{kSecond, "second", 2, "1-3, 5-6, 8-20, 22"},
                      RowCase{kSecond, "second", 3, "4-6, 8, 10-16, 19-20, 23"},
                      RowCase{kSecond, "second", 4, "0, 3, 5-8, 10-11, 13-20, 22, 26"},
                      RowCase{kSecond, "second", 5, "4, 6-7, 9-18, 20"},
                      RowCase{kSecond, "second", 6, "5-6, 8-9, 11-12, 14-17, 22-25"},
                      RowCase{kSecond, "second", 7, "6-21, 24, 26"},
                      RowCase{kSecond, "second", 8, "5, 7-13, 15, 18-20, 22"},
                      RowCase{kSecond, "second", 9, "3, 6-16, 18-20, 23-24"},
                      RowCase{kThird, "third", 0, "6-11, 13-20, 25"},
                      RowCase{kThird, "third", 1, "3, 8-16, 18-20"},
                      RowCase{kThird, "third", 2, "0, 6-7, 9-10, 12-17, 20, 22"},
                      RowCase{kThird, "third", 3, "3, 5-18, 20, 23"},
                      RowCase{kThird, "third", 4, "1-2, 5, 7, 9-12, 14-15, 17-22, 24, 26"},
                      RowCase{kThird, "third", 5, "3-12, 15-16, 18-21, 23"},
                      RowCase{kThird, "third", 6, "5-6, 9-12, 14-19, 22, 24, 26"},
                      RowCase{kThird, "third", 7, "2, 5-18, 20-21, 24"},
                      RowCase{kThird, "third", 8, "2, 6-7, 9, 11-14, 16, 18-22, 24"},
                      RowCase{kThird, "third", 9, "5, 7-20, 24, 26"}),
    testing::NamedRow{});

struct DigitsCase {
  std::int16_t d0, d1, d2;
  const char* votes;    // sumVotes for 0...27
  const char* weights;  // sumWeight for 0...27 after the zero-vote penalty
};

std::string describe(const DigitsCase& c) {
  return "digits " + std::to_string(c.d0) + " " + std::to_string(c.d1) + " " + std::to_string(c.d2);
}

class SumVotes : public ::testing::TestWithParam<DigitsCase> {};

TEST_P(SumVotes, AddUpTheThreeRowsAndPenaliseSumsWithoutAVote) {
  const DigitsCase& c = GetParam();
  PassStorage pass;
  countSumVotes(c.d0, c.d1, c.d2, pass);
  EXPECT_EQ(render(pass.sumVotes, 28), c.votes);
  applyZeroVotePenalty(pass);
  EXPECT_EQ(render(pass.sumWeight, 28), c.weights);
  EXPECT_EQ(render(pass.sumVotes, 28), c.votes) << "the penalty leaves the votes alone";
}

INSTANTIATE_TEST_SUITE_P(
    Digits, SumVotes,
    ::testing::Values(
        DigitsCase{0, 0, 0, "0 0 1 0 0 2 2 3 2 2 2 3 2 3 3 3 3 2 2 2 3 2 0 0 2 1 1 0",
                   "-1 -1 0 -1 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 -1 -1 0 0 0 -1"},
        DigitsCase{3, 6, 9, "0 0 0 1 0 3 2 2 3 3 2 3 2 1 3 3 3 3 2 1 2 1 2 2 3 1 1 0",
                   "-1 -1 -1 0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 -1"},
        DigitsCase{9, 9, 9, "0 1 0 2 0 2 1 3 2 3 3 3 3 3 2 3 3 2 3 3 3 0 0 1 2 0 1 0",
                   "-1 0 -1 0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 -1 -1 0 0 -1 0 -1"},
        DigitsCase{6, 0, 0, "0 0 1 0 0 1 3 2 3 3 2 3 2 3 3 3 3 2 1 3 3 1 1 0 2 1 1 0",
                   "-1 -1 0 -1 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 -1 0 0 0 -1"},
        // A digit outside 0...9 picks no row.
        DigitsCase{10, 0, 0, "0 0 0 0 0 1 2 2 1 2 1 2 1 2 2 2 2 1 1 2 2 1 0 0 1 1 0 0",
                   "-1 -1 -1 -1 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 -1 -1 0 0 -1 -1"},
        DigitsCase{-1, -3, 32767, "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0",
                   "-1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 "
                   "-1 -1 -1"}),
    testing::NamedRow{});

}  // namespace
}  // namespace quorvel::engine
