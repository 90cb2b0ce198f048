#include "quorvel/backtest/problem.h"

#include <array>

namespace quorvel::backtest {

std::string_view faultName(Fault fault) {
  // Null-terminated, as what() hands them on.
  static constexpr std::array<std::string_view, static_cast<std::size_t>(Fault::Repeated) + 1>
      kNames = {"Utf16",          "NotText",          "LineTooLong",      "FieldCount",
                "PeriodTooLarge", "PeriodNotANumber", "PeriodOutOfOrder", "PeriodNotBefore",
                "NotADigit",      "WrongSum",         "LostZero",         "NotTheSum",
                "NoDrawColumn",   "Conflict",         "TooFewDraws",      "RecordTooLarge",
                "TooManyKept",    "NoLatestThree",    "Shuffles",         "Seed",
                "Simulated",      "Threads",          "Repeated"};
  return kNames.at(static_cast<std::size_t>(fault));
}

}  // namespace quorvel::backtest
