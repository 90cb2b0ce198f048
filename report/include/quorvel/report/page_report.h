#pragma once

#include <string>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/list_trace.h"
#include "quorvel/report/answer_texts.h"
#include "quorvel/report/chart.h"
#include "quorvel/report/money_texts.h"
#include "quorvel/report/power_texts.h"
#include "quorvel/report/verdict_texts.h"
#include "quorvel/words/language.h"

namespace quorvel::report {

// The backtest's report as the page shows it, in the player's words: the answer, the verdict and
// the record's note, the tables, the chart and the JSON the page offers to save.
struct PageReport {
  Answer answer;
  std::string verdict, orderNote;
  std::vector<ClaimRow> claims;
  std::vector<MoneyRow> money;
  std::vector<ReportRow> table;
  std::vector<PowerRow> power;
  std::string powerHeading, powerNote;
  std::string chart;  // SVG
  std::string json;
};

PageReport pageReport(const backtest::BacktestResult& result, const backtest::ListTrace& trace,
                      Language language, ChartWidth width);

// The name the page saves a record's JSON report under: the record's name without its
// extension, then "-backtest.json" ("draws-2004-2026.csv" gives "draws-2004-2026-backtest.json").
std::string reportFileName(std::string_view recordName);

}  // namespace quorvel::report
