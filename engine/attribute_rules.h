#pragma once

#include <cstdint>

#include "history_grid.h"
#include "pass_storage.h"
#include "quorvel/verdict.h"

namespace quorvel {

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

// Weighs each candidate with exactly 1, 2 or 3 votes by its count into the remainder class of
// the sum modulo 3; a class that beats both others is called, anything else is NoCall.
Verdict ruleMod3(PassStorage& pass);

}  // namespace quorvel
