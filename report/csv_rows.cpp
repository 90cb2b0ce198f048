#include "quorvel/report/csv_rows.h"

#include "quorvel/words/output_names.h"

namespace quorvel::report {

using words::outputKey;

void writeCsvHeader(std::ostream& out) {
  out << "period,sum";
  for (const engine::Output output : engine::kAllOutputs) out << ",\"" << outputKey(output) << '"';
  for (const engine::Output output : engine::kAllOutputs) {
    out << ",\"" << outputKey(output) << " hit\"";
  }
  out << ",failure";
  for (int i = 0; i < engine::kLists; ++i) {
    const std::string_view name = outputKey(engine::kAllOutputs[static_cast<std::size_t>(i)]);
    out << ",\"" << name << " stake\",\"" << name << " return\"";
  }
  out << '\n';
}

void writeCsvRow(std::ostream& out, const backtest::Replayed& r) {
  out << r.period << ',' << r.sum;
  for (const engine::Output output : engine::kAllOutputs)
    out << ",\"" << r.result.text(output) << '"';
  for (const backtest::Call& call : r.calls)
    out << ',' << (!call.made ? "" : call.hit ? "hit" : "miss");
  out << ',' << static_cast<int>(r.result.failure);
  for (int i = 0; i < engine::kLists; ++i) {
    const backtest::Call& call = r.calls[static_cast<std::size_t>(i)];
    out << ',' << call.stakeYuan << ',' << call.returnedMills / 1000;
  }
  out << '\n';
}

}  // namespace quorvel::report
