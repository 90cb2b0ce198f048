#include "quorvel/backtest/csv_rows.h"

#include "quorvel/backtest/report_texts.h"

namespace quorvel::backtest {

void writeCsvHeader(std::ostream& out) {
  out << "period,sum";
  for (const engine::Output output : engine::kAllOutputs) out << ",\"" << outputName(output) << '"';
  for (const engine::Output output : engine::kAllOutputs) {
    out << ",\"" << outputName(output) << " hit\"";
  }
  out << ",failure";
  for (int i = 0; i < engine::kLists; ++i) {
    const std::string_view name = outputName(engine::kAllOutputs[static_cast<std::size_t>(i)]);
    out << ",\"" << name << " stake\",\"" << name << " return\"";
  }
  out << '\n';
}

void writeCsvRow(std::ostream& out, const Replayed& r) {
  out << r.period << ',' << r.sum;
  for (const engine::Output output : engine::kAllOutputs)
    out << ",\"" << r.result.text(output) << '"';
  for (const Call& call : r.calls) out << ',' << (!call.made ? "" : call.hit ? "hit" : "miss");
  out << ',' << static_cast<int>(r.result.failure);
  for (int i = 0; i < engine::kLists; ++i) {
    const Call& call = r.calls[static_cast<std::size_t>(i)];
    out << ',' << call.stakeYuan() << ',' << call.returnedMills / 1000;
  }
  out << '\n';
}

}  // namespace quorvel::backtest
