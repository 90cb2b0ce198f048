#include "quorvel/report/money_texts.h"

#include "common_words.h"
#include "quorvel/backtest/effects.h"
#include "quorvel/words/number_text.h"
#include "quorvel/words/output_names.h"

namespace quorvel::report {
namespace {

using backtest::OutputSummary;
using backtest::OutputTest;
using words::groupedNumber;
using words::percentText;

struct MoneyWords {
  MoneyRow heading;
};

const MoneyWords kEnglish{{"list", "staked (yuan)", "returned (yuan)", "net (yuan)", "return rate",
                           "95% interval", "shuffles' rate", "blind bets' rate",
                           "break-even hit rate", "best / worst year"}};

const MoneyWords kChinese{{"号码范围", "投注（元）", "返还（元）", "净额（元）", "返还率",
                           "95% 区间", "打乱后的返还率", "盲选返还率", "不亏本要的命中率",
                           "最好 / 最差的一年"}};

const Catalogue<MoneyWords> kWords{kEnglish, kChinese};

}  // namespace

std::vector<MoneyRow> moneyTable(const BacktestResult& result, Language language) {
  std::vector<MoneyRow> rows = {kWords.in(language).heading};
  const bool tested = result.shuffles > 0;
  for (int i = 0; i < engine::kLists; ++i) {
    const OutputSummary& o = result.summary.output(i);
    const OutputTest& t = result.tests[static_cast<std::size_t>(i)];
    const std::optional<backtest::BestAndWorst> years = backtest::bestAndWorstYears(o);
    const auto year = [](const backtest::YearRate& y) {
      return std::to_string(y.year) + " " + percentText(y.rate);
    };
    const auto [low, high] = backtest::returnRateInterval95(o);
    rows.push_back(
        {std::string(outputName(engine::kAllOutputs[static_cast<std::size_t>(i)], language)),
         groupedNumber(o.money.stakeYuan), groupedNumber(o.money.returnedYuan),
         groupedNumber(o.money.returnedYuan - o.money.stakeYuan), percentText(o.money.rate()),
         percentText(low) + "-" + percentText(high), tested ? percentText(t.nullReturnRate) : "-",
         percentText(o.expectedRate()), percentText(backtest::breakEvenHitRate(o)),
         years ? year(years->best) + " / " + year(years->worst) : "-"});
  }
  return rows;
}

}  // namespace quorvel::report
