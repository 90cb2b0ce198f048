#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "quorvel/engine/failure.h"
#include "quorvel/engine/grid.h"

namespace quorvel::presentation {

// The failure's name as the error report shows it: "溢出" or "下标越界"; "" for None.
std::string_view failureName(engine::Failure failure);

// The caption of the button that closes the error report.
inline constexpr std::string_view kReportConfirm = "确定";

// The error report's first line, the failure with its number and name: "运行时错误 '6'：溢出".
std::string failureReport(engine::Failure failure);

// Who reads a report of the cells to blame: the window's or page's user, who knows the cells by
// row and column in Chinese, or a command line's, who gave them as numbered arguments.
enum class Wording { Screen, CommandLine };

// The longest cell text, in characters, that a report quotes whole; a longer one is quoted by its
// beginning, an ellipsis and its length, so that a report stays one readable line.
inline constexpr std::size_t kQuotedCellLength = 40;

// A cell's text as a report quotes it: whole when it is at most kQuotedCellLength characters,
// else its first characters, "…" and its length: “…” for the screen, "..." for the command line.
std::string quotedCell(std::string_view text, Wording wording);

// The cells `cause` names, joined as `wording` writes them: for the screen
// "最新一期和值“50000” × 上一期和值“50000”", for the command line
// "cell 4 \"50000\" × cell 8 \"50000\"" (a sum joins with "＋" and "+"). "" for no cell.
std::string blamedCells(const engine::FailureCause& cause, const engine::GridTexts& cells,
                        Wording wording);

// The line the screen's error report adds under its first: "出错的格子：" and the blamed cells;
// "" when the cause names no cell.
std::string blamedCellsLine(const engine::FailureCause& cause, const engine::GridTexts& cells);

// The command line's one-line report: the error report, the cells to blame and the step,
// 运行时错误 '6'：溢出 — cell 4 "50000" × cell 8 "50000" in the key rules. A cause that names no
// cell adds nothing to the report.
std::string failureMessage(engine::Failure failure, const engine::FailureCause& cause,
                           const engine::GridTexts& cells);

// The step as a phrase for a message: "the key rules", "the tail votes".
std::string_view stepName(engine::FailureStep step);

// The cell the user should fix first: of the cells `cause` names, one whose own number no draw
// can hold (a digit outside 0...9 or not whole, a sum outside 0...27 or not whole), else any;
// among those the one of the largest size, which pushed the value out of range (the first of
// equals). -1 when the cause names no cell.
int cellToFix(const engine::FailureCause& cause, const engine::GridTexts& cells);

}  // namespace quorvel::presentation
