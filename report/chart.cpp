#include "quorvel/report/chart.h"

#include <algorithm>
#include <array>
#include <string>

#include "common_words.h"
#include "quorvel/words/output_names.h"

namespace quorvel::report {
namespace {

// One plot: where it lies and the rates its side runs over.
struct Panel {
  int top, height;
  double topRate;  // the side runs from 0 up to this
  double tick;     // a line every `tick`
};

// Where things go, in the SVG's own units. A narrow chart is drawn for a phone's width, with
// larger text, titles on two lines and the lists' names under the plots.
struct Layout {
  int width, left, right;
  Panel hits, money;
  int bottom;  // below the money panel: its years, the time axis's label (and the names)
  int font, titleFont;
  bool narrow;
  int yearLabelWidth;  // room for "2004" and a gap
  int plotWidth() const { return width - left - right; }
  int height() const { return money.top + money.height + bottom; }
};
constexpr Layout kWide{900, 60,    180, {40, 330, 1.0, 0.2}, {430, 200, 1.2, 0.2}, 50, 12,
                       15,  false, 36};
constexpr Layout kNarrow{360, 40,   14, {58, 220, 1.0, 0.2}, {356, 150, 1.2, 0.2}, 100, 13,
                         14,  true, 40};

constexpr std::array<const char*, engine::kLists> kColours = {"#d62728", "#1f77b4", "#2ca02c"};

struct ChartWords {
  // Each panel's title in two parts, what the solid lines show and what the dashed ones do, and
  // what joins them on one line.
  std::array<std::string, 2> (*hitsTitle)(std::uint64_t window);
  std::array<std::string_view, 2> moneyTitle;
  std::string_view joint;
  // The time axis: the years of the draws forecast, or just the passes.
  std::string (*axisYears)(std::uint64_t passes);
  std::string (*axisPasses)(std::uint64_t passes);
};

constexpr ChartWords kEnglish{
    [](std::uint64_t window) -> std::array<std::string, 2> {
      return {"Rolling hit rate over " + std::to_string(window) + " passes (solid)",
              "against blind chance (dashed)"};
    },
    {"Running return rate of the bets (solid)", "against blind bets (dashed)"},
    " ",
    [](std::uint64_t passes) {
      return "year of the draw forecast (" + std::to_string(passes) + " replayed passes)";
    },
    [](std::uint64_t passes) { return "replayed pass (" + std::to_string(passes) + " in all)"; }};

constexpr ChartWords kChinese{
    [](std::uint64_t window) -> std::array<std::string, 2> {
      return {"每 " + std::to_string(window) + " 期的滚动命中率（实线）", "与盲选的运气（虚线）"};
    },
    {"每个和值买一注的累计返还率（实线）", "与盲选的平均返还率（虚线）"},
    "",
    [](std::uint64_t passes) {
      return "所预测那一期的年份（共重放 " + std::to_string(passes) + " 期）";
    },
    [](std::uint64_t passes) { return "重放的期（共 " + std::to_string(passes) + " 期）"; }};

constexpr Catalogue<ChartWords> kWords{kEnglish, kChinese};

// The title over a panel, on one line or, narrow, on two.
template <class Text>
void writeTitle(std::ostream& out, const Layout& l, int baseline, const std::array<Text, 2>& parts,
                std::string_view joint) {
  const std::string first(parts[0]), second(parts[1]);
  out << "<text x=\"" << l.left << "\" y=\"" << baseline << "\" font-size=\"" << l.titleFont
      << "\">" << (l.narrow ? first : first + std::string(joint) + second) << "</text>\n";
  if (l.narrow) {
    out << "<text x=\"" << l.left << "\" y=\"" << baseline + 20 << "\" font-size=\"" << l.titleFont
        << "\">" << second << "</text>\n";
  }
}

double xOf(const Layout& l, const ListTrace& trace, std::uint64_t passes) {
  return l.left + static_cast<double>(l.plotWidth()) * static_cast<double>(passes) /
                      static_cast<double>(std::max<std::uint64_t>(trace.passes(), 1));
}

double yOf(const Panel& p, double rate) {
  return p.top + p.height * (1 - std::clamp(rate, 0.0, p.topRate) / p.topRate);
}

// A panel's frame: its rates up the side, a line where each year begins and as many of the years
// as fit beneath.
void writeAxes(std::ostream& out, const Layout& l, const Panel& p, const ListTrace& trace) {
  const std::vector<backtest::ListTrace::YearStart> years = trace.years();
  const int plotWidth = l.plotWidth(), bottom = p.top + p.height;
  for (int tick = 0; tick * p.tick <= p.topRate + 1e-9; ++tick) {
    const double rate = tick * p.tick;
    out << "<line x1=\"" << l.left << "\" x2=\"" << l.left + plotWidth << "\" y1=\"" << yOf(p, rate)
        << "\" y2=\"" << yOf(p, rate) << "\" stroke=\"#ddd\"/><text x=\"" << l.left - 8 << "\" y=\""
        << yOf(p, rate) + 4 << "\" text-anchor=\"end\">" << fixed(rate, 1) << "</text>\n";
  }
  const auto width = static_cast<std::size_t>(plotWidth);
  const std::size_t every = std::max<std::size_t>(
      1, (years.size() * static_cast<std::size_t>(l.yearLabelWidth) + width - 1) / width);
  for (std::size_t i = 0; i < years.size(); ++i) {
    const std::string at = fixed(xOf(l, trace, years[i].passesBefore), 1);
    out << "<line x1=\"" << at << "\" x2=\"" << at << "\" y1=\"" << p.top << "\" y2=\""
        << bottom + 4 << "\" stroke=\"#eee\"/>";
    if (i % every == 0) {
      out << "<text x=\"" << at << "\" y=\"" << bottom + 17 << "\" text-anchor=\"middle\">"
          << years[i].year << "</text>";
    }
    out << '\n';
  }
}

// A solid and a dashed line in a list's colour: `solid` and `dashed` give the rates at the end
// of each window, or nothing where there is none.
template <class Rates>
void writeLines(std::ostream& out, const Layout& l, const Panel& p, const ListTrace& trace,
                std::size_t list, Rates&& rates) {
  std::string solid, dashed;
  for (const std::uint64_t end : trace.ends()) {
    const std::optional<std::pair<double, double>> at = rates(end);
    if (!at) continue;
    const std::string x = fixed(xOf(l, trace, end), 1);
    solid += x + "," + fixed(yOf(p, at->first), 1) + " ";
    dashed += x + "," + fixed(yOf(p, at->second), 1) + " ";
  }
  out << "<polyline fill=\"none\" stroke=\"" << kColours[list]
      << "\" stroke-width=\"1.2\" points=\"" << solid << "\"/>\n";
  out << "<polyline fill=\"none\" stroke=\"" << kColours[list]
      << "\" stroke-dasharray=\"5,4\" points=\"" << dashed << "\"/>\n";
}

// Each list's rolling hit rate against its chance, and its running return rate against blind
// bets', and its name.
void writeLists(std::ostream& out, const Layout& l, const ListTrace& trace, Language language) {
  const std::uint64_t window = trace.window();
  for (std::size_t list = 0; list < engine::kLists; ++list) {
    writeLines(out, l, l.hits, trace, list,
               [&](std::uint64_t end) -> std::optional<std::pair<double, double>> {
                 const backtest::ListTrace::Totals& to = trace.totalsAfter(end);
                 const backtest::ListTrace::Totals& from = trace.totalsAfter(end - window);
                 const double calls = to.calls[list] - from.calls[list];
                 if (calls == 0) return std::nullopt;
                 return std::pair((to.hits[list] - from.hits[list]) / calls,
                                  (to.chance[list] - from.chance[list]) / calls);
               });
    writeLines(out, l, l.money, trace, list,
               [&](std::uint64_t end) -> std::optional<std::pair<double, double>> {
                 const backtest::ListTrace::Totals& to = trace.totalsAfter(end);
                 if (to.staked[list] == 0) return std::nullopt;
                 return std::pair(to.returned[list] / to.staked[list],
                                  to.expected[list] / to.staked[list]);
               });
    const int bottom = l.money.top + l.money.height;
    const int nameX = l.narrow ? l.left : l.left + l.plotWidth() + 12;
    const int nameY = l.narrow ? bottom + 60 + 18 * static_cast<int>(list)
                               : l.hits.top + 20 + 20 * static_cast<int>(list);
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
  const int titleGap = l.narrow ? 38 : 16;  // from a title's first line to its panel
  const ChartWords& words = kWords.in(language);
  writeTitle(out, l, l.hits.top - titleGap, words.hitsTitle(trace.window()), words.joint);
  writeTitle(out, l, l.money.top - titleGap, words.moneyTitle, words.joint);
  writeAxes(out, l, l.hits, trace);
  writeAxes(out, l, l.money, trace);
  // The money panel's break-even line: a rate of 1 returns the stake.
  out << "<line x1=\"" << l.left << "\" x2=\"" << l.left + l.plotWidth() << "\" y1=\""
      << yOf(l.money, 1.0) << "\" y2=\"" << yOf(l.money, 1.0) << "\" stroke=\"#999\"/>\n";
  const int bottom = l.money.top + l.money.height;
  out << "<text x=\"" << l.left + l.plotWidth() / 2 << "\" y=\""
      << (l.narrow ? bottom + 38 : l.height() - 12) << "\" text-anchor=\"middle\">"
      << (trace.years().empty() ? words.axisPasses : words.axisYears)(trace.passes())
      << "</text>\n";
  writeLists(out, l, trace, language);
  out << "</svg>\n";
}

}  // namespace quorvel::report
