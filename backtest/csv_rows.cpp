#include "quorvel/backtest/csv_rows.h"

namespace quorvel::backtest {

void writeCsvHeader(std::ostream& out) {
  out << "period,sum";
  for (const char* name : kOutputNames) out << ',' << '"' << name << '"';
  for (const char* name : kOutputNames) out << ",\"" << name << " hit\"";
  out << ",failure\n";
}

void writeCsvRow(std::ostream& out, const Replayed& r) {
  out << r.period << ',' << r.sum;
  for (const Output output : kAllOutputs) out << ",\"" << r.result.text(output) << '"';
  for (const Call& call : r.calls) out << ',' << (!call.made ? "" : call.hit ? "hit" : "miss");
  out << ',' << static_cast<int>(r.result.failure) << '\n';
}

}  // namespace quorvel::backtest
