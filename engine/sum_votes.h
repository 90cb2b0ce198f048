#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "pass_storage.h"
#include "quorvel/engine/sum_list.h"

namespace quorvel::engine {

// One row of a digit vote table, held as its net effect: the sums it gives a vote, and the sums it
// gives a second one.
struct VoteRow {
  SumSet once = 0;
  SumSet twice = 0;
};

struct SumRange {
  int first;
  int last;
};

// A row as the table writes it: single sums that gain a vote, single sums that lose one, and
// inclusive ranges whose every member gains one.
// The net vote of a row for any sum is 0, 1 or 2: every lost single lies in a range of its row,
// and a sum is named at most twice. Anything else is a mistake in the table and fails to compile.
constexpr VoteRow voteRow(std::initializer_list<int> gains, std::initializer_list<int> losses,
                          std::initializer_list<SumRange> ranges) {
  std::array<int, kSumCount> votes{};
  for (int s : gains) ++votes[static_cast<std::size_t>(s)];
  for (int s : losses) --votes[static_cast<std::size_t>(s)];
  for (SumRange range : ranges) {
    for (int s = range.first; s <= range.last; ++s) ++votes[static_cast<std::size_t>(s)];
  }
  VoteRow row;
  for (std::size_t s = 0; s < votes.size(); ++s) {
    if (votes[s] < 0 || votes[s] > 2)
      throw "a vote row gives a sum fewer than 0 or more than 2 votes";
    if (votes[s] >= 1) row.once |= SumSet{1} << s;
    if (votes[s] == 2) row.twice |= SumSet{1} << s;
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

}  // namespace quorvel::engine
