#include "tail_votes.h"

#include <array>

#include "rounding.h"

namespace quorvel {
namespace {

struct TailCombination {
  std::array<int, 4> cells;
  int count;
};

// The cells each combination adds, left to right.
constexpr std::array<TailCombination, 8> kTailCombinations = {{
    {{1, 4, 6}, 3},     // latest 2nd digit, previous 1st and 3rd digits
    {{0, 4, 5}, 3},     // latest 1st digit, previous 1st and 2nd digits
    {{1, 2, 6}, 3},     // latest 2nd and 3rd digits, previous 3rd digit
    {{0, 2, 5, 9}, 4},  // latest 1st and 3rd digits, previous and oldest 2nd digits
    {{3, 6, 11}, 3},    // latest sum, previous 3rd digit, oldest sum
    {{0, 4, 8}, 3},     // the 1st digits of all three periods
    {{1, 5, 9}, 3},     // the 2nd digits
    {{2, 6, 10}, 3},    // the 3rd digits
}};

}  // namespace

void countTailVotes(const HistoryGrid& grid, PassStorage& pass) {
  for (const TailCombination& combination : kTailCombinations) {
    double sum = grid.raw(combination.cells[0]);
    for (int i = 1; i < combination.count; ++i) {
      sum += grid.raw(combination.cells[static_cast<std::size_t>(i)]);
    }
    const std::int16_t tail = truncMod(wholeNumberRound(sum), 10);
    pass.tailVotes.add(tail, 1);  // a negative tail is the subscript failure
    pass.thirdColumnTail = tail;  // the last combination's tail is the one kept
  }
}

}  // namespace quorvel
