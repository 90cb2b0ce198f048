#include "quorvel/report/record_csv.h"

namespace quorvel::report {

void writeRecordCsv(std::ostream& out, std::span<const backtest::Draw> draws) {
  out << "period,d1,d2,d3,sum\n";
  for (const backtest::Draw& draw : draws) {
    out << draw.period << ',' << int{draw.digits[0]} << ',' << int{draw.digits[1]} << ','
        << int{draw.digits[2]} << ',' << draw.sum() << '\n';
  }
}

std::string recordFileName(std::span<const backtest::Draw> draws) {
  return "quorvel-record-" + (draws.empty() ? std::string("empty") : std::to_string(draws.back().period)) +
         ".csv";
}

}  // namespace quorvel::report
