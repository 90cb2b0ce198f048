#include "quorvel/backtest/chart.h"

#include <algorithm>
#include <array>
#include <string>

#include "number_text.h"

namespace quorvel::backtest {
namespace {

// Where things go, in the SVG's own units. A narrow chart is drawn for a phone's width, with
// larger text, its title on two lines and the lists' names under the plot.
struct Layout {
  int width, left, right, top, plotHeight, bottom;
  int font, titleFont;
  bool narrow;
  int yearLabelWidth;  // room for "2004" and a gap
  int plotWidth() const { return width - left - right; }
  int height() const { return top + plotHeight + bottom; }
};
constexpr Layout kWide{900, 60, 180, 40, 330, 50, 12, 15, false, 36};
constexpr Layout kNarrow{360, 40, 14, 58, 220, 100, 13, 14, true, 40};

constexpr std::array<const char*, engine::kLists> kColours = {"#d62728", "#1f77b4", "#2ca02c"};

// The title in two parts: what the solid lines show, and what the dashed ones do.
std::array<std::string, 2> title(Language language, std::uint64_t window) {
  const std::string n = std::to_string(window);
  if (language == Language::Chinese)
    return {"每 " + n + " 期的滚动命中率（实线）", "与盲选的运气（虚线）"};
  return {"Rolling hit rate over " + n + " passes (solid)", "against blind chance (dashed)"};
}

std::string axisLabel(Language language, std::uint64_t passes, bool years) {
  const std::string n = std::to_string(passes);
  if (language == Language::Chinese) {
    return years ? "所预测那一期的年份（共重放 " + n + " 期）" : "重放的期（共 " + n + " 期）";
  }
  return years ? "year of the draw forecast (" + n + " replayed passes)"
               : "replayed pass (" + n + " in all)";
}

void writeTitle(std::ostream& out, const Layout& l, Language language, std::uint64_t window) {
  const std::array<std::string, 2> parts = title(language, window);
  const std::string joint = language == Language::Chinese ? "" : " ";
  out << "<text x=\"" << l.left << "\" y=\"" << (l.narrow ? 20 : 24) << "\" font-size=\""
      << l.titleFont << "\">" << (l.narrow ? parts[0] : parts[0] + joint + parts[1]) << "</text>\n";
  if (l.narrow) {
    out << "<text x=\"" << l.left << "\" y=\"40\" font-size=\"" << l.titleFont << "\">" << parts[1]
        << "</text>\n";
  }
}

// The plot's frame: rates 0 to 1 up the side, a line where each year begins and as many of the
// years as fit beneath, and what the time axis is.
void writeAxes(std::ostream& out, const Layout& l, const ListTrace& trace, Language language) {
  const std::vector<ListTrace::YearStart> years = trace.years();
  const int plotWidth = l.plotWidth(), bottom = l.top + l.plotHeight;
  const auto x = [&](std::uint64_t i) {
    return l.left + static_cast<double>(plotWidth) * static_cast<double>(i) /
                        static_cast<double>(std::max<std::uint64_t>(trace.passes(), 1));
  };
  const auto y = [&](double rate) { return l.top + l.plotHeight * (1 - rate); };
  for (int tick = 0; tick <= 10; tick += 2) {
    const double rate = tick / 10.0;
    out << "<line x1=\"" << l.left << "\" x2=\"" << l.left + plotWidth << "\" y1=\"" << y(rate)
        << "\" y2=\"" << y(rate) << "\" stroke=\"#ddd\"/><text x=\"" << l.left - 8 << "\" y=\""
        << y(rate) + 4 << "\" text-anchor=\"end\">" << fixed(rate, 1) << "</text>\n";
  }
  const std::size_t every =
      std::max<std::size_t>(1, (years.size() * static_cast<std::size_t>(l.yearLabelWidth) +
                                static_cast<std::size_t>(plotWidth) - 1) /
                                   static_cast<std::size_t>(plotWidth));
  for (std::size_t i = 0; i < years.size(); ++i) {
    const std::string at = fixed(x(years[i].passesBefore), 1);
    out << "<line x1=\"" << at << "\" x2=\"" << at << "\" y1=\"" << l.top << "\" y2=\""
        << bottom + 4 << "\" stroke=\"#eee\"/>";
    if (i % every == 0) {
      out << "<text x=\"" << at << "\" y=\"" << bottom + 17 << "\" text-anchor=\"middle\">"
          << years[i].year << "</text>";
    }
    out << '\n';
  }
  out << "<text x=\"" << l.left + plotWidth / 2 << "\" y=\""
      << (l.narrow ? bottom + 38 : l.height() - 12) << "\" text-anchor=\"middle\">"
      << axisLabel(language, trace.passes(), !years.empty()) << "</text>\n";
}

// Each list's rolling hit rate (solid) and chance (dashed), and its name.
void writeLists(std::ostream& out, const Layout& l, const ListTrace& trace, Language language) {
  const std::uint64_t window = trace.window();
  const auto x = [&](std::uint64_t i) {
    return l.left + static_cast<double>(l.plotWidth()) * static_cast<double>(i) /
                        static_cast<double>(std::max<std::uint64_t>(trace.passes(), 1));
  };
  const auto y = [&](double rate) { return l.top + l.plotHeight * (1 - rate); };
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
    out << "<polyline fill=\"none\" stroke=\"" << kColours[list]
        << "\" stroke-width=\"1.2\" points=\"" << hitLine << "\"/>\n";
    out << "<polyline fill=\"none\" stroke=\"" << kColours[list]
        << "\" stroke-dasharray=\"5,4\" points=\"" << chanceLine << "\"/>\n";
    const int nameX = l.narrow ? l.left : l.left + l.plotWidth() + 12;
    const int nameY = l.narrow ? l.top + l.plotHeight + 60 + 18 * static_cast<int>(list)
                               : l.top + 20 + 20 * static_cast<int>(list);
    out << "<text x=\"" << nameX << "\" y=\"" << nameY << "\" fill=\"" << kColours[list] << "\">"
        << outputName(engine::kAllOutputs[list], language) << "</text>\n";
  }
}

}  // namespace

void writeChart(std::ostream& out, const ListTrace& trace, Language language, ChartWidth width) {
  const Layout& l = width == ChartWidth::Narrow ? kNarrow : kWide;
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << l.width << "\" height=\""
      << l.height() << "\" viewBox=\"0 0 " << l.width << ' ' << l.height()
      << "\" font-family=\"sans-serif\" font-size=\"" << l.font
      << "\">\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  writeTitle(out, l, language, trace.window());
  writeAxes(out, l, trace, language);
  writeLists(out, l, trace, language);
  out << "</svg>\n";
}

}  // namespace quorvel::backtest
