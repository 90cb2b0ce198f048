#include "report.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "statistics.h"

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

void writeTable(std::ostream& out, const BacktestResult& result) {
  const Summary& summary = result.summary;
  out << "replayed passes: " << summary.replays() << "\n\n";
  out << "output              calls  hit rate  mean size  chance    lift   95% interval   excess "
         "hits"
      << (result.shuffles > 0 ? "       p  p Holm  patterns       p  p Holm" : "  patterns")
      << "\n";
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
    const OutputTest& test = result.tests[static_cast<std::size_t>(i)];
    line += padded(fixed(static_cast<double>(test.excessThousandths) / 1000.0, 1), 14);
    if (result.shuffles > 0)
      line += padded(fixed(test.pValue, 4), 8) + padded(fixed(test.pValueHolm, 4), 8);
    line += padded(std::to_string(test.patterns), 10);
    if (result.shuffles > 0) {
      line += padded(fixed(test.patternPValue, 4), 8) + padded(fixed(test.patternPValueHolm, 4), 8);
    }
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
  out << '\n' << verdictSentence(result) << '\n';
}

std::string verdictSentence(const BacktestResult& result) {
  if (result.shuffles == 0) {
    return "No permutation test was run (--shuffles 0), so this report cannot say whether any "
           "output beats chance.";
  }
  auto names = [&](auto passes) {
    std::vector<std::string> listed;
    for (std::size_t i = 0; i < kOutputs; ++i) {
      if (passes(result.tests[i])) listed.push_back(kOutputNames[i]);
    }
    std::string text;
    for (std::size_t i = 0; i < listed.size(); ++i) {
      text += i == 0 ? "" : i + 1 == listed.size() ? " and " : ", ";
      text += listed[i];
    }
    return text;
  };
  const std::string beat = names([](const OutputTest& t) { return t.pValueHolm < 0.05; });
  const std::string pattern = names([](const OutputTest& t) { return t.patternPValueHolm < 0.05; });
  std::string sentence = "Against " + std::to_string(result.shuffles) +
                         " shuffles of this record, after Holm's adjustment for eight outputs: ";
  sentence += beat.empty() ? "no output beats chance at the 5% level, so the forecast picks no "
                             "better than blind picks of the same size"
                           : "the " + beat + " beat chance at the 5% level";
  sentence += pattern.empty()
                  ? "; and the claimed runs of 4-5 right then 1-2 wrong come no more often than "
                    "in a shuffled record."
                  : "; the claimed runs of 4-5 right then 1-2 wrong come more often than in a "
                    "shuffled record for the " +
                        pattern + ".";
  return sentence;
}

void writeJson(std::ostream& out, const BacktestResult& result) {
  const Summary& summary = result.summary;
  auto runsJson = [](const std::map<int, long long>& runs) {
    std::string text = "{";
    for (auto [length, n] : runs) {
      if (text.size() > 1) text += ",";
      text += "\"" + std::to_string(length) + "\":" + std::to_string(n);
    }
    return text + "}";
  };
  out << "{\"shuffles\":" << result.shuffles << ",\"seed\":" << result.seed
      << ",\"replays\":" << summary.replays() << ",\"outputs\":[";
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
    const OutputTest& test = result.tests[static_cast<std::size_t>(i)];
    out << ",\"chanceThousandths\":" << o.chanceThousandths
        << ",\"excessHits\":" << fixed(static_cast<double>(test.excessThousandths) / 1000.0, 3)
        << ",\"pValue\":" << fixed(test.pValue, 6)
        << ",\"pValueHolm\":" << fixed(test.pValueHolm, 6)
        << ",\"pattern\":{\"observed\":" << test.patterns
        << ",\"pValue\":" << fixed(test.patternPValue, 6)
        << ",\"pValueHolm\":" << fixed(test.patternPValueHolm, 6) << '}';
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

ListTrace::ListTrace(std::uint64_t passes)
    : passes_(passes), window_(std::max<std::uint64_t>(50, passes / 100)) {
  constexpr std::uint64_t kPoints = 600;
  const std::uint64_t points = std::min(passes, kPoints);
  for (std::uint64_t p = 0; p < points && passes >= window_; ++p) {
    ends_.push_back(window_ + (passes - window_) * p / std::max<std::uint64_t>(points - 1, 1));
  }
  marks_.push_back(0);
  for (const std::uint64_t end : ends_) {
    marks_.push_back(end - window_);
    marks_.push_back(end);
  }
  std::sort(marks_.begin(), marks_.end());
  marks_.erase(std::unique(marks_.begin(), marks_.end()), marks_.end());
  atMark_.resize(marks_.size());
}

void ListTrace::add(const Replayed& r) {
  for (std::size_t i = 0; i < 3; ++i) {
    if (!r.calls[i].made) continue;
    running_.calls[i] += 1;
    running_.hits[i] += r.calls[i].hit ? 1 : 0;
    running_.chance[i] += r.calls[i].chance();
  }
  ++seen_;
  while (nextMark_ < marks_.size() && marks_[nextMark_] <= seen_) {
    if (marks_[nextMark_] == seen_) atMark_[nextMark_] = running_;
    ++nextMark_;
  }
}

const ListTrace::Totals& ListTrace::totalsAfter(std::uint64_t passes) const {
  const auto mark = std::lower_bound(marks_.begin(), marks_.end(), passes);
  return atMark_[static_cast<std::size_t>(mark - marks_.begin())];
}

void writeChart(std::ostream& out, const ListTrace& trace) {
  constexpr int kWidth = 900, kHeight = 420, kLeft = 60, kRight = 180, kTop = 40, kBottom = 50;
  constexpr int plotWidth = kWidth - kLeft - kRight, plotHeight = kHeight - kTop - kBottom;
  const char* colours[3] = {"#d62728", "#1f77b4", "#2ca02c"};
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
  for (std::size_t list = 0; list < 3; ++list) {
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
