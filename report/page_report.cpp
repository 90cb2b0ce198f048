#include "quorvel/report/page_report.h"

#include <sstream>

#include "quorvel/report/json_report.h"

namespace quorvel::report {

PageReport pageReport(const backtest::BacktestResult& result, const backtest::ListTrace& trace,
                      Language language, ChartWidth width) {
  PageReport page;
  page.answer = answerOf(result, language);
  page.verdict = verdictSentence(result, language);
  page.orderNote = recordNote(result, language);
  page.claims = claimsTable(result, language);
  page.money = moneyTable(result, language);
  page.table = reportTable(result, language);
  page.power = powerTable(result, language);
  page.powerHeading = powerHeading(language);
  page.powerNote = powerNote(language);
  std::ostringstream chart, json;
  writeChart(chart, trace, language, width);
  writeJson(json, result);
  page.chart = chart.str();
  page.json = json.str();
  return page;
}

std::string reportFileName(std::string_view recordName) {
  std::string name(recordName);
  // A record's own extension goes, whatever its case: ".csv" or ".txt".
  if (name.size() >= 4) {
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (extension == ".csv" || extension == ".txt") name.resize(name.size() - 4);
  }
  return name + "-backtest.json";
}

}  // namespace quorvel::report
