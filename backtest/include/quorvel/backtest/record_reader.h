#pragma once

#include <cstdint>
#include <istream>

#include "quorvel/backtest/problem.h"
#include "quorvel/backtest/record.h"

namespace quorvel::backtest {

// The longest line the reader takes, in bytes without its line end, and the largest record:
// a record of every draw since 1900 is under 2 MB. A longer line or larger record is refused as
// soon as it passes the limit, so that a stream without line ends cannot fill the memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
inline constexpr std::uint64_t kMaxRecordBytes = std::uint64_t{64} << 20;
// Reads a record of draws as players keep theirs and gives them oldest first. Each column's role
// is found from what it holds, not from its name: the period (a whole number, first on the line
// when it is one, else the first of five, seven or eight digits: yyNNN, yyyyNNN, yyyyNNNN, or
// 第…期), dates and times (skipped, in any common form, with a weekday or a time), the draw (three
// single digits in a row, or one field of three digits together: "358", "3 5 8", "3,5,8" quoted,
// a list ['3', '5', '8']) and its sum; any other column (sales, prize counts, a machine's number)
// is left out. A first line that holds no draw and some words is a header: its names, where they
// are known, settle what the content leaves open, and a trial number (试机号) is never the draw.
// Where two columns could each be the draw, or a small number after it is not its sum, nothing is
// guessed: the line is refused, naming the columns. A line of a draw alone (no period) makes a
// record without periods, kept in its order. Fields are split at the line's tabs, else its commas
// (outside quotes and brackets), else its runs of spaces; full-width punctuation and digits and
// every Unicode space count as their ASCII kin. Blank lines are skipped; UTF-8 with or without a
// byte order mark; LF, CRLF or CR line ends.
//
// Periods run one way, up or down (a record newest first, which `order` reports); a line that
// repeats a draw already read is read once, and one that gives another draw for a period already
// read is refused, with both lines named. A period whose number within its year passes
// kMostDrawsAYear, or whose year is after this one (in Beijing time), is refused. Within a year a
// gap is noted, and the replay starts again after it. A draw of two digits ("35") is refused as a
// number that lost its leading zero ("035?"). Throws BacktestError at the first fault: at 1:1
// for a text that looks like UTF-16, at the first byte that is not UTF-8 text for anything else
// that is not text, as soon as a line passes kMaxLineBytes, and at no place as soon as the record
// passes kMaxRecordBytes. `size`, the input's size in bytes when the caller knows it, lets the
// reader hold the draws in one block from the start instead of growing it: the block is reserved
// for the most draws that many bytes could hold, and only the part the draws fill is touched.
Record readRecord(std::istream& in, std::uint64_t size = 0);

}  // namespace quorvel::backtest
