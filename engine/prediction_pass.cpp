#include "quorvel/prediction_pass.h"

#include <algorithm>
#include <cassert>

#include "attribute_rules.h"
#include "derived_values.h"
#include "fast_pass.h"
#include "history_grid.h"
#include "pass_stopped.h"
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

  auto latestDigit = [&](int cell) {
    return blamingCells({FailureStep::LatestDigits, CellCombination::One, {cell}},
                        [&] { return roundToInt16(grid.raw(cell)); });
  };
  const std::int16_t d0 = latestDigit(0);
  const std::int16_t d1 = latestDigit(1);
  const std::int16_t d2 = latestDigit(2);
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

bool PassResult::isWritten(OutputBox box) const {
  if (written == kOutputBoxes) return true;
  const auto written_end = kWriteOrder.begin() + written;
  return std::find(kWriteOrder.begin(), written_end, box) != written_end;
}

void PassResult::appendText(std::string& out, OutputBox box) const {
  if (!isWritten(box)) return;
  if (index(box) < lists.size()) {
    formatSumList(out, lists[index(box)]);
  } else {
    out.append(verdictText(verdicts[index(box) - index(OutputBox::Text5_0)]));
  }
}

std::string PassResult::text(OutputBox box) const {
  std::string text;
  appendText(text, box);
  return text;
}

PassResult runReferencePass(const GridTexts& cells) {
  PassResult result;
  OutputWriter out(result);
  try {
    runStages(cells, out);
  } catch (const PassStopped& stopped) {
    result.failure = stopped.failure();
    result.cause = stopped.cause();
  }
  return result;
}

namespace {

// A cell of one to four decimal digits and nothing else, or the empty cell (0).
bool readPlainCell(std::string_view text, unsigned& value) {
  const auto digit = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]) - unsigned{'0'};
  };
  // One or two digits, the cells of real draws, without a branch on which: for one digit the
  // first and the last are the same.
  if (text.size() - 1 < 2) {
    const unsigned first = digit(0), last = digit(text.size() - 1);
    value = text.size() == 1 ? first : first * 10 + last;
    return (first | last) <= 9;
  }
  switch (text.size()) {
    case 0:
      value = 0;
      return true;
    case 3: {
      const unsigned a = digit(0), b = digit(1), c = digit(2);
      value = (a * 10 + b) * 10 + c;
      return (a | b | c) <= 9;
    }
    case 4: {
      const unsigned a = digit(0), b = digit(1), c = digit(2), d = digit(3);
      value = ((a * 10 + b) * 10 + c) * 10 + d;
      return (a | b | c | d) <= 9;
    }
    default:
      return false;
  }
}

}  // namespace

PassResult runPredictionPass(const GridTexts& cells) {
  std::array<unsigned, kGridCells> values;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (!readPlainCell(cells[i], values[i])) return runReferencePass(cells);
  }
  return runFastPass(values);
}

}  // namespace quorvel
