#include "quorvel/presentation/failure_report.h"

#include <cmath>
#include <utility>

#include "quorvel/engine/cell_value.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/draw_values.h"

namespace quorvel::presentation {
namespace {

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

}  // namespace

std::string quotedCell(std::string_view text, Wording wording) {
  const char* open = wording == Wording::Screen ? "“" : "\"";
  const char* close = wording == Wording::Screen ? "”" : "\"";
  const std::size_t length = characterCount(text);
  if (length <= kQuotedCellLength) return open + std::string(text) + close;
  std::size_t end = 0;  // where the first character that is left out begins
  for (std::size_t kept = 0; end < text.size(); ++end) {
    if ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) continue;
    if (kept++ == kQuotedCellLength) break;
  }
  const std::string count = std::to_string(length);
  return open + std::string(text.substr(0, end)) + "…" + close +
         (wording == Wording::Screen ? "（共" + count + "个字符）" : " (" + count + " characters)");
}

std::string_view failureName(engine::Failure failure) {
  switch (failure) {
    case engine::Failure::None:
      return "";
    case engine::Failure::Overflow:
      return "溢出";
    case engine::Failure::Subscript:
      return "下标越界";
  }
  return "";
}

std::string failureReport(engine::Failure failure) {
  return "运行时错误 '" + std::to_string(static_cast<int>(failure)) + "'：" +
         std::string(failureName(failure));
}

std::string blamedCells(const engine::FailureCause& cause, const engine::GridTexts& cells,
                        Wording wording) {
  const bool screen = wording == Wording::Screen;
  const char* joint = cause.combination == engine::CellCombination::Product ? " × "
                      : screen                                              ? " ＋ "
                                                                            : " + ";
  std::string joined;
  for (const int cell : cause.cells()) {
    if (!joined.empty()) joined += joint;
    joined += screen ? std::string(cellName(cell)) : "cell " + std::to_string(cell + 1) + " ";
    joined += quotedCell(cells[static_cast<std::size_t>(cell)], wording);
  }
  return joined;
}

std::string blamedCellsLine(const engine::FailureCause& cause, const engine::GridTexts& cells) {
  if (cause.cells().empty()) return "";
  return "出错的格子：" + blamedCells(cause, cells, Wording::Screen);
}

std::string failureMessage(engine::Failure failure, const engine::FailureCause& cause,
                           const engine::GridTexts& cells) {
  std::string message = failureReport(failure);
  if (cause.cells().empty()) return message;
  return message + " — " + blamedCells(cause, cells, Wording::CommandLine) + " in " +
         std::string(stepName(cause.step));
}

std::string_view stepName(engine::FailureStep step) {
  switch (step) {
    case engine::FailureStep::Unknown:
      return "the pass";
    case engine::FailureStep::LatestDigits:
      return "the latest digits";
    case engine::FailureStep::DerivedValues:
      return "the latest sum's tail and the diagonal parities";
    case engine::FailureStep::TailVotes:
      return "the tail votes";
    case engine::FailureStep::KeyRules:
      return "the key rules";
    case engine::FailureStep::AttributeProducts:
      return "the attribute products";
    case engine::FailureStep::DrawShift:
      return "the draw shift";
  }
  return "";
}

int cellToFix(const engine::FailureCause& cause, const engine::GridTexts& cells) {
  int best = -1;
  bool bestImpossible = false;
  double bestSize = -1;
  for (const int cell : cause.cells()) {
    const std::string_view text = cells[static_cast<std::size_t>(cell)];
    const double size = std::fabs(engine::parseLeadingNumber(text));
    const bool impossible = !text.empty() && !canHoldADraw(cell, text);
    if (best < 0 || std::pair(impossible, size) > std::pair(bestImpossible, bestSize)) {
      best = cell;
      bestImpossible = impossible;
      bestSize = size;
    }
  }
  return best;
}

}  // namespace quorvel::presentation
