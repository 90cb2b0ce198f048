#pragma once

#include <cstdint>
#include <istream>
#include <random>
#include <vector>

#include "quorvel/located_error.h"

namespace quorvel::backtest {

struct Draw {
  std::uint64_t period;
  int digits[3];
  int sum() const { return digits[0] + digits[1] + digits[2]; }
};

// What can be wrong with a history; `first` and `second` carry the numbers its message names.
enum class HistoryFault : std::uint8_t {
  Utf16,             // the text looks like UTF-16
  NotText,           // a byte that is not UTF-8 text
  LineTooLong,       // first: the limit in bytes
  FieldCount,        // first: the fields found
  PeriodTooLarge,    // first: the largest period
  PeriodNotANumber,  //
  PeriodOutOfOrder,  // first: the period, second: the one before it
  NotADigit,         // first: the digit's place, 1...3
  WrongSum,          // first: the digits' sum
  TooFewDraws,       // first: the draws found; at no place in the text
};
struct HistoryProblem {
  HistoryFault fault;
  std::uint64_t first = 0;
  std::uint64_t second = 0;
};

// A fault in a history, where it is and what it is, so that a front end can word it in the
// user's language; what() and message() are in English.
class HistoryError : public LocatedError {
 public:
  HistoryError(std::size_t line, std::size_t column, HistoryProblem problem);
  const HistoryProblem& problem() const { return problem_; }

 private:
  HistoryProblem problem_;
};

// Reads a CSV history, oldest draw first: "period,d1,d2,d3" and optionally ",sum" a line. A header
// line starting "period" may come first; blank lines are skipped; UTF-8 with or without a byte
// order mark, LF or CRLF. Periods must increase strictly, digits lie in 0...9 and a sum must
// agree with its digits. Throws HistoryError at the first fault: at 1:1 for a text that looks
// like UTF-16, at the first byte that is not UTF-8 text for anything else that is not text, and
// as soon as a line passes kMaxLineBytes.
std::vector<Draw> readHistory(std::istream& in);

// Uniform simulated draws, made one at a time, periods 1, 2, 3... The generator is
// std::mt19937_64 seeded with `seed`; each digit is one 64-bit output taken modulo 10, drawn
// again when it falls in the incomplete last block of ten, so every machine gives the same draws
// for a seed.
class SimulatedDraws {
 public:
  explicit SimulatedDraws(std::uint64_t seed) : generator_(seed) {}
  Draw next();

 private:
  std::mt19937_64 generator_;
  std::uint64_t period_ = 0;
};

// The first `count` draws of SimulatedDraws(seed), kept in memory.
std::vector<Draw> simulateHistory(std::size_t count, std::uint64_t seed);

}  // namespace quorvel::backtest
