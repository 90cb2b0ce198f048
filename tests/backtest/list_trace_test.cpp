#include "quorvel/backtest/list_trace.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::backtest {
namespace {

// A replay whose first list hits when `hit`, with the chance 0.4; the other lists make no call.
Replayed listReplay(bool hit, std::uint64_t period = 0) {
  Replayed r{};
  r.period = period;
  r.calls[0].made = true;
  r.calls[0].hit = hit;
  r.calls[0].chanceThousandths = 400;
  return r;
}

// The rolling totals kept at the chart's points equal counting each window pass by pass.
TEST(ListTrace, EveryWindowHoldsTheHitsOfItsPasses) {
  for (const std::uint64_t passes : {60ULL, 777ULL, 5000ULL, 123457ULL}) {
    std::vector<bool> hits(passes);
    for (std::uint64_t i = 0; i < passes; ++i) hits[i] = (i * i + 7 * i) % 5 < 2;
    ListTrace trace(passes);
    for (const bool hit : hits) trace.add(listReplay(hit));

    ASSERT_FALSE(trace.ends().empty()) << passes;
    EXPECT_EQ(trace.ends().back(), passes);
    EXPECT_EQ(trace.ends().front(), trace.window());
    for (const std::uint64_t end : trace.ends()) {
      const ListTrace::Totals& to = trace.totalsAfter(end);
      const ListTrace::Totals& from = trace.totalsAfter(end - trace.window());
      double counted = 0;
      for (std::uint64_t i = end - trace.window(); i < end; ++i) counted += hits[i];
      ASSERT_EQ(to.hits[0] - from.hits[0], counted) << passes << " passes, window ending " << end;
      ASSERT_EQ(to.calls[0] - from.calls[0], static_cast<double>(trace.window()));
      ASSERT_NEAR(to.chance[0] - from.chance[0], 0.4 * static_cast<double>(trace.window()), 1e-6);
      ASSERT_EQ(to.calls[1], 0);
    }
  }
}

TEST(ListTrace, FewerPassesThanAWindowDrawNoLine) {
  ListTrace trace(20);
  for (int i = 0; i < 20; ++i) trace.add(listReplay(true));
  EXPECT_TRUE(trace.ends().empty());
}

// Periods that begin with their year put the years on the time axis; any other period, such as
// the simulated 1, 2, 3..., leaves them off.
TEST(ListTrace, MarksWhereEachYearOfTheForecastDrawsBegins) {
  std::vector<std::uint64_t> periods;
  for (std::uint64_t p = 2004300; p <= 2004359; ++p) periods.push_back(p);
  for (std::uint64_t p = 2005001; p <= 2005200; ++p) periods.push_back(p);
  for (std::uint64_t p = 20060001; p <= 20060040; ++p) periods.push_back(p);
  ListTrace trace(periods.size());
  for (const std::uint64_t period : periods) trace.add(listReplay(period % 3 == 0, period));
  const std::vector<ListTrace::YearStart> years = trace.years();
  ASSERT_EQ(years.size(), 3u);
  EXPECT_EQ(years[0].passesBefore, 0u);
  EXPECT_EQ(years[0].year, 2004);
  EXPECT_EQ(years[1].passesBefore, 60u);
  EXPECT_EQ(years[1].year, 2005);
  EXPECT_EQ(years[2].passesBefore, 260u);
  EXPECT_EQ(years[2].year, 2006);

  for (const std::uint64_t odd : {7ULL, 999999ULL, 1899001ULL, 123456789ULL}) {
    ListTrace mixed(periods.size() + 1);
    for (const std::uint64_t period : periods) mixed.add(listReplay(true, period));
    mixed.add(listReplay(true, odd));
    EXPECT_TRUE(mixed.years().empty()) << odd;
  }
}

}  // namespace
}  // namespace quorvel::backtest
