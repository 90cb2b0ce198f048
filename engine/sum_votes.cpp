#include "sum_votes.h"

#include <bit>

namespace quorvel::engine {

constexpr VoteTable kFirstDigitVotes = {{
    /* 0 */ voteRow({2, 5, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20, 21, 24, 26}, {}, {}),
    /* 1 */ voteRow({2, 5, 6, 10, 11, 12, 22, 24}, {}, {{14, 20}}),
    /* 2 */ voteRow({6, 7}, {}, {{9, 22}}),
    /* 3 */ voteRow({3, 20, 21, 22, 23, 24}, {12, 13}, {{5, 18}}),
    /* 4 */ voteRow({16, 17, 20, 21, 22, 25}, {}, {{5, 13}}),
    /* 5 */ voteRow({0, 5, 6, 8, 10, 11}, {}, {{13, 21}}),
    /* 6 */ voteRow({2, 6, 8, 19, 20, 22, 24, 26}, {}, {{8, 17}}),
    /* 7 */ voteRow({3, 4, 5, 7, 16, 17, 19, 20, 23, 26}, {}, {{10, 14}}),
    /* 8 */ voteRow({6, 7, 16, 24, 26}, {}, {{9, 14}, {18, 20}}),
    /* 9 */ voteRow({1, 3, 5, 7}, {}, {{9, 13}, {15, 20}}),
}};

constexpr VoteTable kSecondDigitVotes = {{
    /* 0 */ voteRow({9, 24}, {}, {{5, 7}, {11, 16}, {19, 21}}),
    /* 1 */ voteRow({2, 26}, {}, {{5, 6}, {8, 21}}),
    /* 2 */ voteRow({1, 2, 3, 5, 6, 22}, {}, {{8, 20}}),
    /* 3 */ voteRow({8, 19, 20, 23}, {}, {{4, 6}, {10, 16}}),
    /* 4 */ voteRow({0, 3, 10, 11, 22, 26}, {}, {{5, 8}, {13, 20}}),
    /* 5 */ voteRow({4, 6, 7, 20}, {}, {{9, 18}}),
    /* 6 */ voteRow({5, 6, 8, 9, 11, 12, 22, 23, 24, 25}, {}, {{14, 17}}),
    /* 7 */ voteRow({24, 26}, {}, {{6, 21}}),
    /* 8 */ voteRow({5, 15, 22}, {}, {{7, 13}, {18, 20}}),
    /* 9 */ voteRow({3, 23, 24}, {17}, {{6, 20}}),
}};

constexpr VoteTable kThirdDigitVotes = {{
    /* 0 */ voteRow({25}, {12}, {{6, 20}}),
    /* 1 */ voteRow({3}, {17}, {{8, 20}}),
    /* 2 */ voteRow({0, 20, 22}, {8, 11}, {{6, 17}}),
    /* 3 */ voteRow({23}, {4, 19}, {{3, 20}}),
    /* 4 */ voteRow({1, 2, 5, 7, 14, 15, 21, 22, 24, 26}, {}, {{9, 12}, {17, 20}}),
    /* 5 */ voteRow({15, 16, 23}, {}, {{3, 12}, {18, 21}}),
    /* 6 */ voteRow({5, 6, 22, 24, 26}, {}, {{9, 12}, {14, 19}}),
    /* 7 */ voteRow({2, 20, 21, 24}, {}, {{5, 18}}),
    /* 8 */ voteRow({2, 6, 7, 9, 16, 24}, {}, {{11, 14}, {18, 22}}),
    /* 9 */ voteRow({5, 24, 26}, {}, {{7, 20}}),
}};

namespace {

void applyTable(const VoteTable& table, std::int16_t digit, PassStorage& pass) {
  if (digit < 0 || digit > 9) return;
  const VoteRow& row = table[static_cast<std::size_t>(digit)];
  for (SumSet set = row.once; set != 0; set &= set - 1) pass.sumVotes.add(std::countr_zero(set), 1);
  for (SumSet set = row.twice; set != 0; set &= set - 1)
    pass.sumVotes.add(std::countr_zero(set), 1);
}

}  // namespace

void countSumVotes(std::int16_t d0, std::int16_t d1, std::int16_t d2, PassStorage& pass) {
  applyTable(kFirstDigitVotes, d0, pass);
  applyTable(kSecondDigitVotes, d1, pass);
  applyTable(kThirdDigitVotes, d2, pass);
}

void applyZeroVotePenalty(PassStorage& pass) {
  pass.sumWeight.addEach<kSumCount>([&](int s) { return -static_cast<int>(pass.sumVotes[s] < 1); });
}

}  // namespace quorvel::engine
