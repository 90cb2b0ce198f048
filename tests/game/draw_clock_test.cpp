#include "quorvel/game/draw_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "row_name.h"

namespace quorvel::game {
namespace {

// Milliseconds since 1970 of a Beijing wall-clock time.
std::int64_t beijing(int year, unsigned month, unsigned day, int hour, int minute) {
  using namespace std::chrono;
  const sys_days date = year_month_day{std::chrono::year{year}, std::chrono::month{month},
                                       std::chrono::day{day}};
  return duration_cast<milliseconds>(date.time_since_epoch() + hours{hour} + minutes{minute} -
                                     hours{8})
      .count();
}

struct Instant {
  std::string name;
  std::int64_t at;
  int year;
};
std::string describe(const Instant& c) { return c.name; }

class DrawYear : public ::testing::TestWithParam<Instant> {};

// The period's year is the year of the last draw, by Beijing's clock and the draw's hour.
TEST_P(DrawYear, IsTheYearOfTheLastDraw) { EXPECT_EQ(drawYear(GetParam().at), GetParam().year); }

INSTANTIATE_TEST_SUITE_P(
    TheYearsTurn, DrawYear,
    ::testing::Values(Instant{"31 December before its draw", beijing(2026, 12, 31, 21, 14), 2026},
                      Instant{"31 December after its draw", beijing(2026, 12, 31, 21, 30), 2026},
                      Instant{"half past midnight on 1 January", beijing(2027, 1, 1, 0, 30), 2026},
                      Instant{"1 January before its draw", beijing(2027, 1, 1, 21, 14), 2026},
                      Instant{"1 January at its draw", beijing(2027, 1, 1, 21, 15), 2027},
                      Instant{"midday of 2 January", beijing(2027, 1, 2, 12, 0), 2027}),
    testing::NamedRow{});

// The same as the standard library's calendar reckons it, over instants from 1900 to 2200.
TEST(DrawYearOfAnyInstant, AgreesWithTheStandardCalendar) {
  using namespace std::chrono;
  std::mt19937_64 random(11);
  const std::int64_t from = beijing(1900, 1, 1, 0, 0), to = beijing(2200, 1, 1, 0, 0);
  for (int trial = 0; trial < 100'000; ++trial) {
    const std::int64_t at = from + static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(to - from));
    const auto drawn = sys_time<milliseconds>(milliseconds(at)) + hours{8} - hours{21} - minutes{15};
    const int expected = static_cast<int>(year_month_day{floor<days>(drawn)}.year());
    ASSERT_EQ(drawYear(at), expected) << at;
  }
}

}  // namespace
}  // namespace quorvel::game
