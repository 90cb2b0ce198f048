#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "quorvel/engine/grid.h"
#include "quorvel/words/language.h"

namespace quorvel::presentation {

using words::Language;

// What keeps a grid from being three real draws. The forecast still runs on what was typed; a
// note only says where the grid and the draws part ways.
enum class NoteKind : std::uint8_t {
  EmptyPeriod,  // a whole row empty, as the top row is after the draw shift
  EmptyCell,    // one cell empty in a row that is not, which reads as 0
  NotADigit,    // a digit's cell that no draw can hold: outside 0...9, or not whole
  WrongSum,     // a sum that is not the sum of its row's digits, or not a draw's sum
};

struct GridNote {
  NoteKind kind;
  int period;  // the row: 0 latest ... 2 oldest
  int cell;    // the cell it names; for EmptyPeriod the row's first
};

// The notes of a grid, row by row from the latest, each row's left to right.
std::vector<GridNote> gridNotes(const engine::GridTexts& cells);

// A note as the player reads it, the cells' texts quoted: "上一期和值是“15”，但 1＋2＋3＝6",
// "the previous period's sum is "15", but 1 + 2 + 3 is 6".
std::string noteText(const GridNote& note, const engine::GridTexts& cells, Language language);

// The cells a note is about: the row's four for EmptyPeriod, the sum and its digits for WrongSum,
// else the one cell.
std::vector<int> noteCells(const GridNote& note);

}  // namespace quorvel::presentation
