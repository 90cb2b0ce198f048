#pragma once

#include <cstdint>

// When the game draws: every evening at 21:15 Beijing time (UTC+8), whatever the time zone of the
// device a player types on. A game day runs from one evening's draw to the next, so a draw typed
// after midnight but before that evening's draw is the previous day's, and a year's first draw
// is the evening of 1 January.
namespace quorvel::game {

inline constexpr std::int64_t kBeijingOffsetMinutes = 8 * 60;
inline constexpr std::int64_t kDrawMinute = 21 * 60 + 15;  // of the Beijing day

// The year of a day counted from 1970-01-01 (day 0) in the proleptic Gregorian calendar.
constexpr int yearOfDay(std::int64_t days) {
  // Howard Hinnant's civil_from_days, the year part.
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  return static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// The year of the draw last drawn at `unixMilliseconds`: the year of the Beijing day whose
// evening draw it was.
constexpr int drawYear(std::int64_t unixMilliseconds) {
  constexpr std::int64_t kMinute = 60'000, kDay = 24 * 60;
  std::int64_t minutes = unixMilliseconds / kMinute;
  if (unixMilliseconds % kMinute < 0) --minutes;  // floor, before 1970 too
  const std::int64_t beijing = minutes + kBeijingOffsetMinutes - kDrawMinute;
  std::int64_t day = beijing / kDay;
  if (beijing % kDay < 0) --day;
  return yearOfDay(day);
}

}  // namespace quorvel::game
