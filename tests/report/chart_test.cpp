#include "quorvel/report/chart.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvel::report {
namespace {

using backtest::Replayed;

// A replay whose first list hits when `hit`, with the chance 0.4; the other lists make no call.
Replayed listReplay(bool hit, std::uint64_t period) {
  Replayed r{};
  r.period = period;
  r.calls[0].made = true;
  r.calls[0].hit = hit;
  r.calls[0].chanceThousandths = 400;
  return r;
}

std::string chartOf(const ListTrace& trace, Language language) {
  std::ostringstream svg;
  writeChart(svg, trace, language);
  return svg.str();
}

// Periods that begin with their year put the years on the time axis, in the player's words; any
// other period leaves them off, and the axis counts the passes.
TEST(Chart, PutsTheYearsOnTheTimeAxisWhenThePeriodsGiveThem) {
  std::vector<std::uint64_t> periods;
  for (std::uint64_t p = 2004300; p <= 2004359; ++p) periods.push_back(p);
  for (std::uint64_t p = 2005001; p <= 2005240; ++p) periods.push_back(p);
  ListTrace trace(periods.size());
  for (const std::uint64_t period : periods) trace.add(listReplay(period % 3 == 0, period));
  const std::string english = chartOf(trace, Language::English);
  EXPECT_NE(english.find(">2005</text>"), std::string::npos);
  EXPECT_NE(english.find("year of the draw forecast (300 replayed passes)"), std::string::npos);
  EXPECT_NE(chartOf(trace, Language::Chinese).find("预测号码范围"), std::string::npos);

  ListTrace simulated(periods.size() + 1);
  for (std::uint64_t period = 1; period <= periods.size() + 1; ++period)
    simulated.add(listReplay(true, period));
  EXPECT_NE(chartOf(simulated, Language::English).find("replayed pass (301 in all)"),
            std::string::npos);
}

TEST(Chart, FewerPassesThanAWindowDrawAnEmptyLine) {
  ListTrace trace(20);
  for (std::uint64_t i = 0; i < 20; ++i) trace.add(listReplay(true, i + 1));
  const std::string svg = chartOf(trace, Language::English);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_NE(svg.find("points=\"\""), std::string::npos);
}

}  // namespace
}  // namespace quorvel::report
