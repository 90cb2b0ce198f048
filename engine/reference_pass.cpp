// The reference road: the pass as the rules state it, rule by rule over the parsed cells, every
// conversion rounded and every counter checked as the rules say.

#include "quorvel/engine/reference_pass.h"

#include "attribute_rules.h"
#include "derived_values.h"
#include "history_grid.h"
#include "pass_stopped.h"
#include "pass_storage.h"
#include "rounding.h"
#include "sum_votes.h"
#include "tail_votes.h"
#include "weight_rules.h"

namespace quorvel::engine {
namespace {

void runStages(const GridTexts& cells, PassResult& out) {
  const HistoryGrid grid(cells);
  PassStorage pass;

  auto latestDigit = [&](int cell) {
    return blamingCells({FailureStep::LatestDigits, CellCombination::One, {cell}},
                        [&] { return roundToInt16OrOverflow(grid.raw(cell)); });
  };
  const std::int16_t d0 = latestDigit(0);
  const std::int16_t d1 = latestDigit(1);
  const std::int16_t d2 = latestDigit(2);
  computeDerivedValues(grid, pass);

  countSumVotes(d0, d1, d2, pass);
  applyZeroVotePenalty(pass);
  countTailVotes(grid, pass);
  applyRangeRules(pass);
  out.writeList(Output::PredictedRange, unpenalisedSums(pass));
  applyKeyRules(grid, pass);
  out.writeList(Output::KeyRange, unpenalisedSums(pass));
  applyExtremeRule(pass);
  out.writeList(Output::ExtremeNumbers, unpenalisedSums(pass));

  // The cells cannot change during the pass, so the nine products formed once serve all four
  // product rules; one that does not fit stops the pass before any verdict is written.
  formAttrProducts(grid, pass);
  out.writeVerdict(Output::MiddleEdge, ruleMiddleEdge(pass));
  out.writeVerdict(Output::BigSmall, ruleBigSmall(pass));
  out.writeVerdict(Output::OddEven, ruleOddEven(pass));
  out.writeVerdict(Output::Mod3, ruleMod3(pass));
  out.writeVerdict(Output::FrontBack, ruleFrontBack(pass));
}

}  // namespace

PassResult runReferencePass(const GridTexts& cells) {
  PassResult result;
  try {
    runStages(cells, result);
  } catch (const PassStopped& stopped) {
    result.failure = stopped.failure();
    result.cause = stopped.cause();
  }
  return result;
}

}  // namespace quorvel::engine
