#include "quorvel/prediction_pass.h"

#include <algorithm>
#include <cassert>

#include "attribute_rules.h"
#include "derived_values.h"
#include "history_grid.h"
#include "pass_failure.h"
#include "pass_storage.h"
#include "rounding.h"
#include "sum_votes.h"
#include "tail_votes.h"
#include "weight_rules.h"

namespace quorvel {
namespace {

constexpr std::size_t index(OutputBox box) { return static_cast<std::size_t>(box); }

// Records the outputs in the order the pass writes them.
class OutputWriter {
 public:
  explicit OutputWriter(PassResult& result) : result_(result) {}

  void list(OutputBox box, SumSet sums) {
    result_.lists[index(box)] = sums;
    advance(box);
  }

  void verdict(OutputBox box, Verdict verdict) {
    result_.verdicts[index(box) - index(OutputBox::Text5_0)] = verdict;
    advance(box);
  }

 private:
  void advance([[maybe_unused]] OutputBox box) {
    assert(kWriteOrder[static_cast<std::size_t>(result_.written)] == box);
    ++result_.written;
  }

  PassResult& result_;
};

void runStages(const GridTexts& cells, OutputWriter& out) {
  const HistoryGrid grid(cells);
  PassStorage pass;

  const std::int16_t d0 = roundToInt16(grid.raw(0));
  const std::int16_t d1 = roundToInt16(grid.raw(1));
  const std::int16_t d2 = roundToInt16(grid.raw(2));
  computeDerivedValues(grid, pass);

  countSumVotes(d0, d1, d2, pass);
  applyZeroVotePenalty(pass);
  countTailVotes(grid, pass);
  applyRangeRules(pass);
  out.list(OutputBox::Text2, unpenalisedSums(pass));
  applyKeyRules(grid, pass);
  out.list(OutputBox::Text3, unpenalisedSums(pass));
  applyExtremeRule(pass);
  out.list(OutputBox::Text4, unpenalisedSums(pass));

  // The cells cannot change during the pass, so the nine products formed once serve all four
  // product rules; one that does not fit stops the pass before any verdict is written.
  formAttrProducts(grid, pass);
  out.verdict(OutputBox::Text5_0, ruleMiddleEdge(pass));
  out.verdict(OutputBox::Text5_1, ruleBigSmall(pass));
  out.verdict(OutputBox::Text5_2, ruleOddEven(pass));
  out.verdict(OutputBox::Text5_4, ruleMod3(pass));
  out.verdict(OutputBox::Text5_3, ruleFrontBack(pass));
}

}  // namespace

std::string_view verdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::Middle:
      return "中边：中";
    case Verdict::Edge:
      return "中边：边";
    case Verdict::Big:
      return "大小：大";
    case Verdict::Small:
      return "大小：小";
    case Verdict::Even:
      return "单双：双";
    case Verdict::Odd:
      return "单双：单";
    case Verdict::Front:
      return "前后：前肖";
    case Verdict::Back:
      return "前后：后肖";
    case Verdict::Mod3Is0:
      return "3N：3０";
    case Verdict::Mod3Is1:
      return "3N：3１";
    case Verdict::Mod3Is2:
      return "3N：3２";
    case Verdict::NoCall:
      return "无";
  }
  return "";
}

GridTexts viewsOf(const GridStrings& cells) {
  GridTexts views;
  std::copy(cells.begin(), cells.end(), views.begin());
  return views;
}

bool PassResult::isWritten(OutputBox box) const {
  const auto written_end = kWriteOrder.begin() + written;
  return std::find(kWriteOrder.begin(), written_end, box) != written_end;
}

void PassResult::appendText(std::string& out, OutputBox box) const {
  if (!isWritten(box)) return;
  if (index(box) < lists.size()) {
    appendSumList(out, lists[index(box)]);
  } else {
    out.append(verdictText(verdicts[index(box) - index(OutputBox::Text5_0)]));
  }
}

std::string PassResult::text(OutputBox box) const {
  std::string text;
  appendText(text, box);
  return text;
}

PassResult runPredictionPass(const GridTexts& cells) {
  PassResult result;
  OutputWriter out(result);
  try {
    runStages(cells, out);
  } catch (const PassStopped& stopped) {
    result.failure = stopped.failure();
  }
  return result;
}

}  // namespace quorvel
