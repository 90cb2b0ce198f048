#include "report.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace quorvel::backtest {
namespace {

constexpr int kLongestRun = 10;  // runs this long or longer share the last column

// The outputs whose runs are shown: the predicted range and the five calls.
constexpr std::array<int, 6> kRunOutputs = {0, 3, 4, 5, 6, 7};

std::string fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

long long observedRuns(const std::map<int, long long>& runs, int length) {
  long long count = 0;
  for (auto [runLength, n] : runs) {
    if (runLength == length || (length == kLongestRun && runLength > kLongestRun)) count += n;
  }
  return count;
}

double chanceRuns(int length, long long trials, double p) {
  if (length < kLongestRun) return expectedRuns(length, trials, p);
  double tail = 0;
  for (long long k = kLongestRun; k <= std::min<long long>(trials, 200); ++k) {
    tail += expectedRuns(static_cast<int>(k), trials, p);
  }
  return tail;
}

void writeRunRow(std::ostream& out, const char* label, const std::map<int, long long>& runs,
                 long long trials, double p) {
  out << "  " << label << " observed";
  for (int k = 1; k <= kLongestRun; ++k) out << padded(std::to_string(observedRuns(runs, k)), 9);
  out << "\n  " << label << " chance  ";
  for (int k = 1; k <= kLongestRun; ++k) out << padded(fixed(chanceRuns(k, trials, p), 1), 9);
  out << '\n';
}

}  // namespace

void writeTable(std::ostream& out, const Summary& summary) {
  out << "replayed passes: " << summary.replays() << "\n\n";
  out << "output              calls  hit rate  mean size  chance    lift   95% interval\n";
  for (int i = 0; i < kOutputs; ++i) {
    const OutputSummary& o = summary.output(i);
    const auto [low, high] = wilsonInterval(o.hits, o.calls);
    const double chance = o.chanceRate();
    std::string line = kOutputNames[static_cast<std::size_t>(i)];
    line.resize(16, ' ');
    line += padded(std::to_string(o.calls), 9) + padded(fixed(o.hitRate(), 4), 10);
    line += i < 3 ? padded(fixed(static_cast<double>(o.listSizeSum) /
                                     static_cast<double>(std::max<long long>(o.calls, 1)),
                                 2),
                           11)
                  : padded("-", 11);
    line +=
        padded(fixed(chance, 4), 8) + padded(chance > 0 ? fixed(o.hitRate() / chance, 3) : "-", 8);
    line += "   " + fixed(low, 4) + "-" + fixed(high, 4);
    if (o.noCalls > 0) line += "   (" + std::to_string(o.noCalls) + " passes made no call)";
    out << line << '\n';
  }
  out << "\nruns of consecutive hits and misses, by length (the last column is " << kLongestRun
      << " or more),\nbeside the runs independent calls at the same hit rate would give:\n";
  out << "                  ";
  for (int k = 1; k <= kLongestRun; ++k) out << padded(std::to_string(k), 9);
  out << '\n';
  for (int i : kRunOutputs) {
    const OutputSummary& o = summary.output(i);
    out << kOutputNames[static_cast<std::size_t>(i)] << '\n';
    writeRunRow(out, "hits  ", o.runs.hits, o.calls, o.hitRate());
    writeRunRow(out, "misses", o.runs.misses, o.calls, 1 - o.hitRate());
  }
}

void writeJson(std::ostream& out, const Summary& summary) {
  auto runsJson = [](const std::map<int, long long>& runs) {
    std::string text = "{";
    for (auto [length, n] : runs) {
      if (text.size() > 1) text += ",";
      text += "\"" + std::to_string(length) + "\":" + std::to_string(n);
    }
    return text + "}";
  };
  out << "{\"replays\":" << summary.replays() << ",\"outputs\":[";
  for (int i = 0; i < kOutputs; ++i) {
    const OutputSummary& o = summary.output(i);
    const auto [low, high] = wilsonInterval(o.hits, o.calls);
    if (i > 0) out << ',';
    out << "{\"name\":\"" << kOutputNames[static_cast<std::size_t>(i)] << "\",\"calls\":" << o.calls
        << ",\"hits\":" << o.hits << ",\"noCalls\":" << o.noCalls
        << ",\"hitRate\":" << fixed(o.hitRate(), 6)
        << ",\"chanceRate\":" << fixed(o.chanceRate(), 6) << ",\"interval95\":[" << fixed(low, 6)
        << ',' << fixed(high, 6) << ']';
    if (i < 3) {
      out << ",\"meanListSize\":"
          << fixed(static_cast<double>(o.listSizeSum) /
                       static_cast<double>(std::max<long long>(o.calls, 1)),
                   4);
    }
    out << ",\"hitRuns\":" << runsJson(o.runs.hits) << ",\"missRuns\":" << runsJson(o.runs.misses)
        << '}';
  }
  out << "]}\n";
}

void writeCsvHeader(std::ostream& out) {
  out << "period,sum";
  for (const char* name : kOutputNames) out << ',' << '"' << name << '"';
  for (const char* name : kOutputNames) out << ",\"" << name << " hit\"";
  out << ",failure\n";
}

void writeCsvRow(std::ostream& out, const Replayed& r) {
  out << r.period << ',' << r.sum;
  for (int box = 0; box < kOutputs; ++box)
    out << ",\"" << r.result.text(static_cast<OutputBox>(box)) << '"';
  for (const Call& call : r.calls) out << ',' << (!call.made ? "" : call.hit ? "hit" : "miss");
  out << ',' << static_cast<int>(r.result.failure) << '\n';
}

void ListTrace::add(const Replayed& r) {
  std::array<float, 3> hits{}, chances{};
  for (std::size_t i = 0; i < 3; ++i) {
    hits[i] = !r.calls[i].made ? -1.0f : r.calls[i].hit ? 1.0f : 0.0f;
    chances[i] = static_cast<float>(r.calls[i].chance);
  }
  hit.push_back(hits);
  chance.push_back(chances);
}

void writeChart(std::ostream& out, const ListTrace& trace) {
  constexpr int kWidth = 900, kHeight = 420, kLeft = 60, kRight = 180, kTop = 40, kBottom = 50;
  constexpr int plotWidth = kWidth - kLeft - kRight, plotHeight = kHeight - kTop - kBottom;
  const char* colours[3] = {"#d62728", "#1f77b4", "#2ca02c"};
  const std::size_t n = trace.hit.size();
  const std::size_t window = std::max<std::size_t>(50, n / 100);
  const std::size_t points = std::min<std::size_t>(n, 600);

  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
      << "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" "
         "fill=\"white\"/>\n";
  out << "<text x=\"" << kLeft << "\" y=\"24\" font-size=\"15\">Rolling hit rate over " << window
      << " passes (solid) against blind chance (dashed)</text>\n";
  auto x = [&](std::size_t i) {
    return kLeft + static_cast<double>(plotWidth) * static_cast<double>(i) /
                       static_cast<double>(std::max<std::size_t>(n, 1));
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
  for (std::size_t list = 0; list < 3; ++list) {
    std::string hitLine, chanceLine;
    for (std::size_t p = 0; p < points && n >= window; ++p) {
      const std::size_t end = window + (n - window) * p / std::max<std::size_t>(points - 1, 1);
      double hits = 0, chance = 0, calls = 0;
      for (std::size_t i = end - window; i < end; ++i) {
        if (trace.hit[i][list] < 0) continue;
        ++calls;
        hits += trace.hit[i][list];
        chance += trace.chance[i][list];
      }
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
