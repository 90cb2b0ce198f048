#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace quorvel::backtest {

// What can be wrong with what a backtest is given: its record of draws or its settings.
enum class Fault : std::uint8_t {
  // At a place in a record: its line and column.
  Utf16,             // the text looks like UTF-16
  NotText,           // a byte that is not UTF-8 text
  LineTooLong,       // first: the limit in bytes
  FieldCount,        // first: the fields found
  PeriodTooLarge,    // first: the largest period
  PeriodNotANumber,  //
  PeriodOutOfOrder,  // first: the period, second: the one before it, in a record oldest first
  PeriodNotBefore,   // the same in a record newest first
  NotADigit,         // first: the digit's place, 1...3
  WrongSum,          // first: the digits' sum
  LostZero,          // first: the draw as read, second: its digits, fewer than three
  NotTheSum,         // first: the field's column number; text: the field
  NoDrawColumn,      // the header names no column of the draw
  Conflict,          // first: the period, second: the line that gave it another draw
  TwoDraws,          // first and second: the columns that could each be the draw; text: the second
  DateInDraw,        // first: the column taken for the draw; text: the date or time found there
  PeriodPastYear,    // first: the period, second: its number within the year
  PeriodAfterThisYear,  // first: the period, second: this year
  PeriodMissing,        // first: 1 when this line has a period and those before it had none
  // Of a record as a whole.
  TooFewDraws,        // first: the draws found
  RecordTooLarge,     // first: the limit in bytes
  TooLargeForDevice,  // first: the limit in bytes for a device with little memory
  TooManyKept,        // first: the most draws a kept record holds
  NoPeriodsToKeep,    // draws without periods cannot join a kept record
  OtherGame,          // first: the periods both hold, second: how many of them disagree
  OtherNumbering,     // first: a period of the draws given, second: the kept record's for it
  OtherGameNamed,     // text: the game the file name or header names
  NoLatestThree,      // first: the draws after the last gap (fewer than three), second: the period
                      // after that gap, 0 for none
  // Of a setting; `text` is what was given.
  Shuffles,   // not a whole number of shuffles in range
  Seed,       // not a whole number that fits 64 bits
  Simulated,  // not a whole number of simulated draws in range
  Threads,    // not a whole number of threads in range
  Repeated,   // given more than once: first, how often; text, the values given
};

// A fault with its place and the values that word it. A record's fault lies at `line` and
// `column` (both from 1), or at no place (0, 0) when it is the whole record's; a setting's fault
// is placed by whoever names the setting.
struct Problem {
  Fault fault;
  std::size_t line = 0, column = 0;
  std::uint64_t first = 0, second = 0;
  std::string text{};

  bool placed() const { return line > 0; }
  bool ofSetting() const { return fault >= Fault::Shuffles; }
};

// The fault's name in the code, "NotADigit", for a developer's log; a player reads the problem as
// the reports word it.
std::string_view faultName(Fault fault);

// The one error the backtest library throws. It carries the problem and words nothing: the
// reports word it in their player's language. what() is the fault's name.
class BacktestError : public std::exception {
 public:
  explicit BacktestError(Problem problem) : problem_(std::move(problem)) {}
  const Problem& problem() const { return problem_; }
  const char* what() const noexcept override { return faultName(problem_.fault).data(); }

 private:
  Problem problem_;
};

}  // namespace quorvel::backtest
