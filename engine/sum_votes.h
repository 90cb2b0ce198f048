#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "pass_storage.h"
#include "quorvel/sum_set.h"

namespace quorvel {

// One row of a digit vote table, held as its net effect: the votes it gives each candidate sum.
struct VoteRow {
  std::array<std::int8_t, kSumCount> votes{};
};

struct SumRange {
  int first;
  int last;
};

// A row as the table writes it: single sums that gain a vote, single sums that lose one, and
// inclusive ranges whose every member gains one.
constexpr VoteRow voteRow(std::initializer_list<int> gains, std::initializer_list<int> losses,
                          std::initializer_list<SumRange> ranges) {
  VoteRow row;
  for (int s : gains) ++row.votes[static_cast<std::size_t>(s)];
  for (int s : losses) --row.votes[static_cast<std::size_t>(s)];
  for (SumRange range : ranges) {
    for (int s = range.first; s <= range.last; ++s) ++row.votes[static_cast<std::size_t>(s)];
  }
  return row;
}

// One table per digit column of the latest period, its row picked by the digit 0...9.
using VoteTable = std::array<VoteRow, 10>;
extern const VoteTable kFirstDigitVotes;
extern const VoteTable kSecondDigitVotes;
extern const VoteTable kThirdDigitVotes;

// Adds the votes of the row each digit picks, table by table; a digit outside 0...9 picks none.
void countSumVotes(std::int16_t d0, std::int16_t d1, std::int16_t d2, PassStorage& pass);

// Penalises every sum that ended the vote tables without a vote.
void applyZeroVotePenalty(PassStorage& pass);

}  // namespace quorvel
