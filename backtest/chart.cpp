#include "quorvel/backtest/chart.h"

#include <algorithm>
#include <string>

#include "number_text.h"

namespace quorvel::backtest {

void writeChart(std::ostream& out, const ListTrace& trace) {
  constexpr int kWidth = 900, kHeight = 420, kLeft = 60, kRight = 180, kTop = 40, kBottom = 50;
  constexpr int plotWidth = kWidth - kLeft - kRight, plotHeight = kHeight - kTop - kBottom;
  const char* colours[kLists] = {"#d62728", "#1f77b4", "#2ca02c"};
  const std::uint64_t n = trace.passes();
  const std::uint64_t window = trace.window();

  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" "
         "fill=\"white\"/>\n";
  out << "<text x=\"" << kLeft << "\" y=\"24\" font-size=\"15\">Rolling hit rate over " << window
      << " passes (solid) against blind chance (dashed)</text>\n";
  auto x = [&](std::uint64_t i) {
    return kLeft + static_cast<double>(plotWidth) * static_cast<double>(i) /
                       static_cast<double>(std::max<std::uint64_t>(n, 1));
  };
  auto y = [&](double rate) { return kTop + plotHeight * (1 - rate); };
  for (int tick = 0; tick <= 10; tick += 2) {
    const double rate = tick / 10.0;
    out << "<line x1=\"" << kLeft << "\" x2=\"" << kLeft + plotWidth << "\" y1=\"" << y(rate)
        << "\" y2=\"" << y(rate) << "\" stroke=\"#ddd\"/><text x=\"" << kLeft - 8 << "\" y=\""
        << y(rate) + 4 << "\" text-anchor=\"end\">" << fixed(rate, 1) << "</text>\n";
  }
  out << "<text x=\"" << kLeft + plotWidth / 2 << "\" y=\"" << kHeight - 15
      << "\" text-anchor=\"middle\">replayed pass (" << n << " in all)</text>\n";
  for (std::size_t list = 0; list < kLists; ++list) {
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
    out << "<text x=\"" << kLeft + plotWidth + 12 << "\" y=\"" << kTop + 20 + 20 * list
        << "\" fill=\"" << colours[list] << "\">" << kOutputNames[list] << "</text>\n";
  }
  out << "</svg>\n";
}

}  // namespace quorvel::backtest
