#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

#include "quorvel/backtest/record_reader.h"

namespace quorvel::cli {

// A fault in a text that a reader rejects: where it is (line and column, both from 1) and what
// is wrong. `what()` is "LINE:COLUMN: message"; a program puts the file's name in front.
class LocatedError : public std::runtime_error {
 public:
  LocatedError(std::size_t line, std::size_t column, const std::string& message)
      : std::runtime_error(std::to_string(line) + ":" + std::to_string(column) + ": " + message),
        line_(line),
        column_(column),
        message_(message) {}

  std::size_t line() const { return line_; }
  std::size_t column() const { return column_; }
  const std::string& message() const { return message_; }

 private:
  std::size_t line_;
  std::size_t column_;
  std::string message_;
};

// The longest line the TSV reader takes is the record reader's: no grid or draw that a person
// writes comes near it, and a longer line is refused as soon as it passes the limit.
using backtest::kMaxLineBytes;

// The error for line `line` when it passes kMaxLineBytes.
inline LocatedError lineTooLong(std::size_t line) {
  return LocatedError(line, kMaxLineBytes + 1,
                      "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes");
}

}  // namespace quorvel::cli
