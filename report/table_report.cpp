#include "quorvel/report/table_report.h"

#include <algorithm>
#include <string>

#include "number_text.h"
#include "quorvel/backtest/statistics.h"
#include "quorvel/game/sum_play.h"
#include "quorvel/report/audit_texts.h"
#include "quorvel/report/money_texts.h"
#include "quorvel/report/output_names.h"
#include "quorvel/report/power_texts.h"
#include "quorvel/report/report_texts.h"

namespace quorvel::report {

using backtest::Audit;
using backtest::OutputSummary;
using backtest::OutputTest;
using backtest::Summary;

namespace {

constexpr int kLongestRun = 10;  // runs this long or longer share the last column

// The outputs whose runs are shown: the predicted range and the five calls.
constexpr std::array<engine::Output, 6> kRunOutputs = {
    engine::Output::PredictedRange, engine::Output::MiddleEdge, engine::Output::BigSmall,
    engine::Output::OddEven,        engine::Output::FrontBack,  engine::Output::Mod3};

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
  if (length < kLongestRun) return backtest::expectedRuns(length, trials, p);
  double tail = 0;
  for (long long k = kLongestRun; k <= std::min<long long>(trials, 200); ++k) {
    tail += backtest::expectedRuns(static_cast<int>(k), trials, p);
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

// What betting every sum of each list every period would have staked and returned, beside what
// blind bets of the same size return.
void writeMoneyBlock(std::ostream& out, const BacktestResult& result, Language language) {
  out << "\nmoney: one " << game::kStakeYuan
      << "-yuan bet on every sum of the list, every period, at the sum play's prizes\n";
  const std::vector<MoneyRow> rows = moneyTable(result, language);
  constexpr std::array<std::size_t, 9> kWidths = {16, 14, 16, 12, 12, 17, 8, 13, 24};
  for (const MoneyRow& row : rows) {
    std::string line = row[0];
    line.resize(kWidths[0], ' ');
    for (std::size_t c = 1; c < row.size(); ++c) line += padded(row[c], kWidths[c]);
    out << line << '\n';
  }
}

// Rows of texts, each column padded to its width, the first to the left, the others to the right.
template <class Row, std::size_t N>
void writeRows(std::ostream& out, const std::vector<Row>& rows,
               const std::array<std::size_t, N>& widths) {
  for (const Row& row : rows) {
    std::string line = row[0];
    line.resize(std::max(line.size(), widths[0]), ' ');
    for (std::size_t c = 1; c < row.size(); ++c) line += padded(row[c], widths[c]);
    out << line << '\n';
  }
}

// How large an edge the record rules out, output by output.
void writePowerBlock(std::ostream& out, const BacktestResult& result, Language language) {
  out << "\npower: " << powerHeading(language) << '\n';
  writeRows(out, powerTable(result, language), std::array<std::size_t, 6>{16, 8, 8, 21, 40, 26});
}

// The record's own test of randomness, and what it says.
void writeAuditBlock(std::ostream& out, const Audit& audit, Language language) {
  out << "\nthe record's randomness, on its " << audit.draws << " draws:\n";
  std::vector<AuditRow> rows = auditTable(audit, language);
  for (AuditRow& row : rows) row[1].clear();  // the words come after the table
  writeRows(out, rows, std::array<std::size_t, 6>{16, 0, 12, 6, 10, 14});
  out << auditSentence(audit, language) << '\n';
}

}  // namespace

void writeTable(std::ostream& out, const BacktestResult& result, Language language,
                const Audit* audit) {
  const Summary& summary = result.summary;
  out << "replayed passes: " << summary.replays() << "\n";
  if (const std::string_view note = recordOrderNote(result, language); !note.empty()) {
    out << note << '\n';
  }
  out << '\n';
  out << "output              calls  hit rate  mean size  chance    lift   95% interval   excess "
         "hits"
      << (result.shuffles > 0 ? "       p  p Holm  patterns       p  p Holm" : "  patterns")
      << "\n";
  for (int i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = summary.output(i);
    const auto [low, high] = backtest::wilsonInterval(o.hits, o.calls);
    const double chance = o.chanceRate();
    std::string line(outputName(engine::kAllOutputs[static_cast<std::size_t>(i)], language));
    line.resize(16, ' ');
    line += padded(std::to_string(o.calls), 9) + padded(fixed(o.hitRate(), 4), 10);
    line += engine::isList(engine::kAllOutputs[static_cast<std::size_t>(i)])
                ? padded(fixed(meanSize(o.listSizeSum, o.calls), 2), 11)
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
  writeMoneyBlock(out, result, language);
  writePowerBlock(out, result, language);
  out << "\nruns of consecutive hits and misses, by length (the last column is " << kLongestRun
      << " or more),\nbeside the runs independent calls at the same hit rate would give:\n";
  out << "                  ";
  for (int k = 1; k <= kLongestRun; ++k) out << padded(std::to_string(k), 9);
  out << '\n';
  for (const engine::Output output : kRunOutputs) {
    const auto i = static_cast<std::size_t>(output);
    const OutputSummary& o = summary.output(static_cast<int>(i));
    out << outputName(output, language) << '\n';
    writeRunRow(out, "hits  ", o.runs.hits, o.calls, o.hitRate());
    writeRunRow(out, "misses", o.runs.misses, o.calls, 1 - o.hitRate());
  }
  if (audit != nullptr) writeAuditBlock(out, *audit, language);
  out << '\n' << verdictSentence(result, language) << '\n';
}

}  // namespace quorvel::report
