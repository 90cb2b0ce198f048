#include "attribute_rules.h"

#include "pass_stopped.h"
#include "quorvel/engine/sum_list.h"
#include "rounding.h"
#include "rule_cells.h"

namespace quorvel::engine {

void formAttrProducts(const HistoryGrid& grid, PassStorage& pass) {
  pass.attrProducts.clear();
  for (std::size_t i = 0; i < kAttributeProducts.size(); ++i) {
    const FailureCause& cause = kAttributeProducts[i];
    const std::int16_t product =
        blamingCells(cause, [&] { return roundToInt16OrOverflow(grid.combine(cause)); });
    pass.attrProducts.add(static_cast<int>(i), product);
  }
}

bool twoWayProductVote(bool (*inFirstClass)(std::int16_t product), PassStorage& pass) {
  pass.attrVotes.clear();
  for (int i = 0; i < 9; ++i) pass.attrVotes.add(inFirstClass(pass.attrProducts[i]) ? 0 : 1, 1);
  return pass.attrVotes[0] > pass.attrVotes[1];
}

// Each product is read as a draw result: reduced modulo 28 (keeping its sign) into the sums
// 0...27 for middle/edge and big/small, modulo 12 for the zodiac half, as it is for odd/even.
Verdict ruleMiddleEdge(PassStorage& pass) {
  const bool middle =
      twoWayProductVote([](std::int16_t x) { return isMiddle(truncMod(x, 28)); }, pass);
  return middle ? Verdict::Middle : Verdict::Edge;
}

Verdict ruleBigSmall(PassStorage& pass) {
  const bool big = twoWayProductVote([](std::int16_t x) { return isBig(truncMod(x, 28)); }, pass);
  return big ? Verdict::Big : Verdict::Small;
}

Verdict ruleOddEven(PassStorage& pass) {
  const bool even = twoWayProductVote([](std::int16_t x) { return truncMod(x, 2) == 0; }, pass);
  return even ? Verdict::Even : Verdict::Odd;
}

Verdict ruleFrontBack(PassStorage& pass) {
  const bool front =
      twoWayProductVote([](std::int16_t x) { return isFrontHalf(truncMod(x, 12)); }, pass);
  return front ? Verdict::Front : Verdict::Back;
}

Verdict ruleMod3(PassStorage& pass) {
  pass.attrVotes.clear();
  for (int s = 0; s < kSumCount; ++s) {
    const int votes = pass.sumVotes[s];
    pass.attrVotes.add(s % 3, votes >= 1 && votes <= 3 ? votes : 0);
  }
  return mod3Pick(pass.attrVotes[0], pass.attrVotes[1], pass.attrVotes[2]);
}

}  // namespace quorvel::engine
