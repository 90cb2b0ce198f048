#pragma once

#include <cstdint>

// A draw's period as the lotteries number them: the year, then the draw's number within it,
// yyyyNNN (2026174) or yyyyNNNN; the sports lottery's own records often write yyNNN (26174).
namespace quorvel::game {

// The year a period begins with, for periods of seven or eight digits that start with one from
// 1900 to 2999 (2004001, 20040001): 2004; 0 for any other period.
constexpr int periodYear(std::uint64_t period) {
  const std::uint64_t year = period >= 10'000'000 ? period / 10'000 : period / 1'000;
  return period >= 1'000'000 && period < 100'000'000 && year >= 1900 && year <= 2999
             ? static_cast<int>(year)
             : 0;
}

// The number a period has within its year, for periods of seven or eight digits that begin with
// their year: 2026174 gives 174; 0 for any other period.
constexpr std::uint64_t numberInYear(std::uint64_t period) {
  if (periodYear(period) == 0) return 0;
  return period >= 10'000'000 ? period % 10'000 : period % 1'000;
}

// The most draws a year holds: a draw a day. A period whose number within its year passes it is
// no period of a daily game.
inline constexpr std::uint64_t kMostDrawsAYear = 366;

// A period written yyNNN (26224) as the reader keeps it, yyyyNNN (2026224).
constexpr std::uint64_t fromShortYear(std::uint64_t period) {
  return (2000 + period / 1000) * 1000 + period % 1000;
}

// The period after `last` when the calendar says `year`: the first of `year` (2027001) when
// `last` is a period of an earlier year, written yyyyNNN or yyyyNNNN, else last + 1.
constexpr std::uint64_t nextPeriod(std::uint64_t last, int year) {
  const int lastYear = periodYear(last);
  if (lastYear == 0 || year <= lastYear) return last + 1;
  const std::uint64_t perYear = last >= 10'000'000 ? 10'000 : 1'000;  // yyyyNNNN or yyyyNNN
  return static_cast<std::uint64_t>(year) * perYear + 1;
}

}  // namespace quorvel::game
