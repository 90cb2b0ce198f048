#include "quorvel/backtest/problem.h"

#include <array>

namespace quorvel::backtest {

std::string_view faultName(Fault fault) {
  // Null-terminated, as what() hands them on.
  // Each fault's name at its place; the count is checked, so none can be left out.
  static constexpr auto kNames = std::to_array<std::string_view>({"Utf16",          "NotText",          "LineTooLong",      "FieldCount",
                "PeriodTooLarge", "PeriodNotANumber", "PeriodOutOfOrder", "PeriodNotBefore",
                "NotADigit",      "WrongSum",         "LostZero",         "NotTheSum",
                "NoDrawColumn",   "Conflict",         "TwoDraws",         "DateInDraw",
                "PeriodPastYear", "PeriodAfterThisYear", "PeriodMissing", "TooFewDraws",
                "RecordTooLarge", "TooLargeForDevice", "TooManyKept",     "NoPeriodsToKeep", "OtherGame",
                "OtherNumbering", "OtherGameNamed",   "NoLatestThree",
                "Shuffles",       "Seed",             "Simulated",        "Threads",
                "Repeated"});
  static_assert(kNames.size() == static_cast<std::size_t>(Fault::Repeated) + 1);
  return kNames.at(static_cast<std::size_t>(fault));
}

}  // namespace quorvel::backtest
