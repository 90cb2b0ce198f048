#include "quorvel/presentation/grid_notes.h"

#include "quorvel/engine/cell_value.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/draw_values.h"
#include "quorvel/presentation/failure_report.h"

namespace quorvel::presentation {

using words::Catalogue;
namespace {

constexpr int kSumColumn = engine::kGridColumns - 1;

int cellOf(int period, int column) { return period * engine::kGridColumns + column; }

// The notes of one row: empty, else each empty cell, each digit no draw can hold, and a sum that
// does not add up (asked only of a row whose three digits can be a draw's).
void notesOfRow(int period, const engine::GridTexts& cells, std::vector<GridNote>& notes) {
  const auto text = [&](int column) {
    return cells[static_cast<std::size_t>(cellOf(period, column))];
  };
  bool empty = true;
  for (int column = 0; column < engine::kGridColumns; ++column)
    empty = empty && text(column).empty();
  if (empty) {
    notes.push_back({NoteKind::EmptyPeriod, period, cellOf(period, 0)});
    return;
  }
  bool digitsAreADraws = true;
  for (int column = 0; column < engine::kGridColumns; ++column) {
    const int cell = cellOf(period, column);
    if (text(column).empty()) {
      notes.push_back({NoteKind::EmptyCell, period, cell});
      digitsAreADraws = digitsAreADraws && column == kSumColumn;
    } else if (column < kSumColumn && !canHoldADraw(cell, text(column))) {
      notes.push_back({NoteKind::NotADigit, period, cell});
      digitsAreADraws = false;
    }
  }
  const int sumCell = cellOf(period, kSumColumn);
  if (!digitsAreADraws || text(kSumColumn).empty()) return;
  double digits = 0;
  for (int column = 0; column < kSumColumn; ++column)
    digits += engine::parseLeadingNumber(text(column));
  if (engine::parseLeadingNumber(text(kSumColumn)) != digits ||
      !canHoldADraw(sumCell, text(kSumColumn))) {
    notes.push_back({NoteKind::WrongSum, period, sumCell});
  }
}

// A note's words: each kind of note as a sentence of the cell's (or the row's) name, the cell's
// text as quoted, and for a wrong sum the digits added up, "1＋2＋3＝6".
struct NoteWords {
  Wording quotes;
  std::string_view plus, equals;
  std::string (*emptyPeriod)(std::string_view period);
  std::string (*emptyCell)(std::string_view cell);
  std::string (*notADigit)(std::string_view cell, const std::string& quoted);
  std::string (*wrongSum)(std::string_view cell, const std::string& quoted,
                          const std::string& digitsSum);
};

// `name` at the start of a sentence.
std::string capitalised(std::string_view name) {
  std::string text(name);
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

constexpr NoteWords kChinese{
    Wording::Screen,
    "＋",
    "＝",
    [](std::string_view period) { return std::string(period) + "空着，预测按 0 0 0、和值 0 计算"; },
    [](std::string_view cell) { return std::string(cell) + "空着，预测按 0 计算"; },
    [](std::string_view cell, const std::string& quoted) {
      return std::string(cell) + "是" + quoted + "，开奖号码只有 0 到 9 的整数";
    },
    [](std::string_view cell, const std::string& quoted, const std::string& digitsSum) {
      return std::string(cell) + "是" + quoted + "，但 " + digitsSum;
    }};

constexpr NoteWords kEnglish{
    Wording::CommandLine,
    " + ",
    " is ",
    [](std::string_view period) {
      return capitalised(period) + " is empty; the forecast reads it as 0 0 0 with the sum 0";
    },
    [](std::string_view cell) {
      return capitalised(cell) + " is empty; the forecast reads it as 0";
    },
    [](std::string_view cell, const std::string& quoted) {
      return capitalised(cell) + " is " + quoted +
             ", but a drawn digit is a whole number from 0 to 9";
    },
    [](std::string_view cell, const std::string& quoted, const std::string& digitsSum) {
      return capitalised(cell) + " is " + quoted + ", but " + digitsSum;
    }};

constexpr Catalogue<NoteWords> kWords{kEnglish, kChinese};

// The row's digits added up: "1＋2＋3＝6", "1 + 2 + 3 is 6".
std::string digitsSum(const GridNote& note, const engine::GridTexts& cells,
                      const NoteWords& words) {
  std::string terms;
  double sum = 0;
  for (int column = 0; column < kSumColumn; ++column) {
    const std::string_view text = cells[static_cast<std::size_t>(cellOf(note.period, column))];
    const double digit = engine::parseLeadingNumber(text);
    sum += digit;
    if (column > 0) terms += words.plus;
    terms += std::to_string(static_cast<int>(digit));
  }
  return terms + std::string(words.equals) + std::to_string(static_cast<int>(sum));
}

}  // namespace

std::vector<GridNote> gridNotes(const engine::GridTexts& cells) {
  std::vector<GridNote> notes;
  for (int period = 0; period < engine::kGridPeriods; ++period) notesOfRow(period, cells, notes);
  return notes;
}

std::string noteText(const GridNote& note, const engine::GridTexts& cells, Language language) {
  const NoteWords& words = kWords.in(language);
  const std::string_view name = cellName(note.cell, language);
  const std::string quoted = quotedCell(cells[static_cast<std::size_t>(note.cell)], words.quotes);
  switch (note.kind) {
    case NoteKind::EmptyPeriod:
      return words.emptyPeriod(periodName(note.period, language));
    case NoteKind::EmptyCell:
      return words.emptyCell(name);
    case NoteKind::NotADigit:
      return words.notADigit(name, quoted);
    case NoteKind::WrongSum:
      return words.wrongSum(name, quoted, digitsSum(note, cells, words));
  }
  return {};
}

std::vector<int> noteCells(const GridNote& note) {
  std::vector<int> named;
  const int first = cellOf(note.period, 0);
  if (note.kind == NoteKind::EmptyPeriod || note.kind == NoteKind::WrongSum) {
    for (int column = 0; column < engine::kGridColumns; ++column) named.push_back(first + column);
    return named;
  }
  return {note.cell};
}

}  // namespace quorvel::presentation
