#include "quorvel/backtest/csv_rows.h"

#include "quorvel/backtest/report_texts.h"

namespace quorvel::backtest {

void writeCsvHeader(std::ostream& out) {
  out << "period,sum";
  for (const engine::Output output : engine::kAllOutputs) out << ",\"" << outputName(output) << '"';
  for (const engine::Output output : engine::kAllOutputs) {
    out << ",\"" << outputName(output) << " hit\"";
  }
  out << ",failure\n";
}

void writeCsvRow(std::ostream& out, const Replayed& r) {
  out << r.period << ',' << r.sum;
  for (const engine::Output output : engine::kAllOutputs)
    out << ",\"" << r.result.text(output) << '"';
  for (const Call& call : r.calls) out << ',' << (!call.made ? "" : call.hit ? "hit" : "miss");
  out << ',' << static_cast<int>(r.result.failure) << '\n';
}

}  // namespace quorvel::backtest
