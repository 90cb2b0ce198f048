#include "quorvel/backtest/list_trace.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "quorvel/backtest/chart.h"

namespace quorvel::backtest {
namespace {

// A replay whose first list hits when `hit`, with the chance 0.4; the other lists make no call.
Replayed listReplay(bool hit) {
  Replayed r{};
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
  std::ostringstream svg;
  writeChart(svg, trace);
  EXPECT_NE(svg.str().find("</svg>"), std::string::npos);
  EXPECT_NE(svg.str().find("points=\"\""), std::string::npos);
}

}  // namespace
}  // namespace quorvel::backtest
