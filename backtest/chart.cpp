#include "quorvel/backtest/chart.h"

#include <algorithm>
#include <string>

#include "number_text.h"

namespace quorvel::backtest {
namespace {

constexpr int kWidth = 900, kHeight = 420, kLeft = 60, kRight = 180, kTop = 40, kBottom = 50;
constexpr int kPlotWidth = kWidth - kLeft - kRight, kPlotHeight = kHeight - kTop - kBottom;
constexpr int kYearLabelWidth = 36;  // room for "2004" and a gap

std::string title(Language language, std::uint64_t window) {
  if (language == Language::Chinese) {
    return "每 " + std::to_string(window) + " 期的滚动命中率（实线）与盲选的运气（虚线）";
  }
  return "Rolling hit rate over " + std::to_string(window) +
         " passes (solid) against blind chance (dashed)";
}

std::string axisLabel(Language language, std::uint64_t passes, bool years) {
  const std::string n = std::to_string(passes);
  if (language == Language::Chinese) {
    return years ? "所预测那一期的年份（共重放 " + n + " 期）" : "重放的期（共 " + n + " 期）";
  }
  return years ? "year of the draw forecast (" + n + " replayed passes)"
               : "replayed pass (" + n + " in all)";
}

}  // namespace

void writeChart(std::ostream& out, const ListTrace& trace, Language language) {
  const char* colours[engine::kLists] = {"#d62728", "#1f77b4", "#2ca02c"};
  const std::uint64_t n = trace.passes();
  const std::uint64_t window = trace.window();
  const std::vector<ListTrace::YearStart> years = trace.years();

  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
      << "\" viewBox=\"0 0 " << kWidth << ' ' << kHeight
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" "
         "fill=\"white\"/>\n";
  out << "<text x=\"" << kLeft << "\" y=\"24\" font-size=\"15\">" << title(language, window)
      << "</text>\n";
  auto x = [&](std::uint64_t i) {
    return kLeft + static_cast<double>(kPlotWidth) * static_cast<double>(i) /
                       static_cast<double>(std::max<std::uint64_t>(n, 1));
  };
  auto y = [&](double rate) { return kTop + kPlotHeight * (1 - rate); };
  for (int tick = 0; tick <= 10; tick += 2) {
    const double rate = tick / 10.0;
    out << "<line x1=\"" << kLeft << "\" x2=\"" << kLeft + kPlotWidth << "\" y1=\"" << y(rate)
        << "\" y2=\"" << y(rate) << "\" stroke=\"#ddd\"/><text x=\"" << kLeft - 8 << "\" y=\""
        << y(rate) + 4 << "\" text-anchor=\"end\">" << fixed(rate, 1) << "</text>\n";
  }
  // A line where each year begins, and as many of the years as fit beneath the plot.
  const std::size_t every =
      std::max<std::size_t>(1, (years.size() * kYearLabelWidth + kPlotWidth - 1) / kPlotWidth);
  for (std::size_t i = 0; i < years.size(); ++i) {
    const std::string at = fixed(x(years[i].passesBefore), 1);
    out << "<line x1=\"" << at << "\" x2=\"" << at << "\" y1=\"" << kTop << "\" y2=\""
        << kTop + kPlotHeight + 4 << "\" stroke=\"#eee\"/>";
    if (i % every == 0) {
      out << "<text x=\"" << at << "\" y=\"" << kTop + kPlotHeight + 17
          << "\" text-anchor=\"middle\">" << years[i].year << "</text>";
    }
    out << '\n';
  }
  out << "<text x=\"" << kLeft + kPlotWidth / 2 << "\" y=\"" << kHeight - 12
      << "\" text-anchor=\"middle\">" << axisLabel(language, n, !years.empty()) << "</text>\n";
  for (std::size_t list = 0; list < engine::kLists; ++list) {
    std::string hitLine, chanceLine;
    for (const std::uint64_t end : trace.ends()) {
      const ListTrace::Totals& to = trace.totalsAfter(end);
      const ListTrace::Totals& from = trace.totalsAfter(end - window);
      const double calls = to.calls[list] - from.calls[list];
      const double hits = to.hits[list] - from.hits[list];
      const double chance = to.chance[list] - from.chance[list];
      if (calls == 0) continue;
      hitLine += fixed(x(end), 1) + "," + fixed(y(hits / calls), 1) + " ";
      chanceLine += fixed(x(end), 1) + "," + fixed(y(chance / calls), 1) + " ";
    }
    out << "<polyline fill=\"none\" stroke=\"" << colours[list]
        << "\" stroke-width=\"1.2\" points=\"" << hitLine << "\"/>\n";
    out << "<polyline fill=\"none\" stroke=\"" << colours[list]
        << "\" stroke-dasharray=\"5,4\" points=\"" << chanceLine << "\"/>\n";
    out << "<text x=\"" << kLeft + kPlotWidth + 12 << "\" y=\"" << kTop + 20 + 20 * list
        << "\" fill=\"" << colours[list] << "\">" << outputName(engine::kAllOutputs[list], language)
        << "</text>\n";
  }
  out << "</svg>\n";
}

}  // namespace quorvel::backtest
