#include "attribute_rules.h"

#include "pass_stopped.h"
#include "quorvel/sum_list.h"
#include "rounding.h"

namespace quorvel {

void formAttrProducts(const HistoryGrid& grid, PassStorage& pass) {
  pass.attrProducts.clear();
  for (int k = 0; k < 3; ++k) {
    for (int p = 0; p < 3; ++p) {
      // Digit k of period p times the sum of period k.
      const FailureCause cause{
          FailureStep::AttributeProducts, CellCombination::Product, {4 * p + k, 4 * k + 3}};
      const std::int16_t product =
          blamingCells(cause, [&] { return roundToInt16(grid.combine(cause)); });
      pass.attrProducts.add(3 * k + p, product);
    }
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
  const int c0 = pass.attrVotes[0];
  const int c1 = pass.attrVotes[1];
  const int c2 = pass.attrVotes[2];
  if (c0 > c1 && c0 > c2) return Verdict::Mod3Is0;
  if (c1 > c0 && c1 > c2) return Verdict::Mod3Is1;
  if (c2 > c0 && c2 > c1) return Verdict::Mod3Is2;
  return Verdict::NoCall;
}

}  // namespace quorvel
