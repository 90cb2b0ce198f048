#pragma once

#include <cstdint>

#include "history_grid.h"
#include "pass_storage.h"
#include "quorvel/engine/verdict.h"

namespace quorvel::engine {

// Fills attrProducts: entry 3k + p is digit k of period p times the sum of period k, rounded to
// 16 bits. Raises Overflow where a product does not fit.
void formAttrProducts(const HistoryGrid& grid, PassStorage& pass);

// Counts the products in the first class into attrVotes(0) and the others into attrVotes(1).
// Returns whether the first class won; nine votes never tie.
bool twoWayProductVote(bool (*inFirstClass)(std::int16_t product), PassStorage& pass);

// The product rules read attrProducts as formAttrProducts left it.
Verdict ruleMiddleEdge(PassStorage& pass);
Verdict ruleBigSmall(PassStorage& pass);
Verdict ruleOddEven(PassStorage& pass);
Verdict ruleFrontBack(PassStorage& pass);

// The remainder call from the weights of the three classes: a class that beats both others is
// called, anything else is NoCall.
constexpr Verdict mod3Pick(int weight0, int weight1, int weight2) {
  if (weight0 > weight1 && weight0 > weight2) return Verdict::Mod3Is0;
  if (weight1 > weight0 && weight1 > weight2) return Verdict::Mod3Is1;
  if (weight2 > weight0 && weight2 > weight1) return Verdict::Mod3Is2;
  return Verdict::NoCall;
}

// Weighs each candidate with exactly 1, 2 or 3 votes by its count into the remainder class of
// the sum modulo 3, and picks the call with mod3Pick.
Verdict ruleMod3(PassStorage& pass);

}  // namespace quorvel::engine
