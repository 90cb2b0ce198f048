#include "quorvel/backtest/money_texts.h"

#include <algorithm>

#include "listed_names.h"
#include "number_text.h"
#include "quorvel/backtest/report_texts.h"
#include "quorvel/presentation/money_text.h"

namespace quorvel::backtest {
namespace {

using presentation::groupedNumber;
using presentation::percentText;

// The list a player most often follows, which the verdict's money sentence is about.
constexpr engine::Output kHeadline = engine::Output::KeyRange;

bool returnsMoreThanChance(const OutputTest& test) { return test.returnPValueHolm < kLevel; }

// The highest return rate of the lists that returned more than chance allows.
double highestRateAboveChance(const BacktestResult& result) {
  double highest = 0;
  for (int i = 0; i < engine::kLists; ++i) {
    if (returnsMoreThanChance(result.tests[static_cast<std::size_t>(i)])) {
      highest = std::max(highest, result.summary.output(i).money.rate());
    }
  }
  return highest;
}

// Which lists returned more than chance allows, named and joined in `language`; "" for none.
std::string listsAboveChance(const BacktestResult& result, Language language) {
  std::vector<std::string> names;
  for (int i = 0; i < engine::kLists; ++i) {
    if (!returnsMoreThanChance(result.tests[static_cast<std::size_t>(i)])) continue;
    const std::string name(outputName(engine::kAllOutputs[static_cast<std::size_t>(i)], language));
    names.push_back(language == Language::Chinese ? name : "the " + name);
  }
  return listedNames(names, language, " and ", " and ");
}

std::string englishMoney(const BacktestResult& result, const OutputSummary& o) {
  std::string sentence =
      "Betting the " + std::string(outputName(kHeadline)) + " every period since period " +
      std::to_string(result.summary.firstPeriod()) + " would have staked " +
      groupedNumber(o.money.stakeYuan) + " yuan and returned " +
      groupedNumber(o.money.returnedYuan) + " (" + fixed(100 * o.money.rate(), 1) +
      " %); blind bets of the same size return " + fixed(100 * o.expectedRate(), 1) +
      " % on average. ";
  if (result.shuffles == 0) return sentence;
  const std::string above = listsAboveChance(result, Language::English);
  if (above.empty()) return sentence + "No list returns more than chance allows. ";
  return sentence + "Only " + above + " returned more than chance allows, and still no more than " +
         fixed(100 * highestRateAboveChance(result), 1) + " % of the stake. ";
}

std::string chineseMoney(const BacktestResult& result, const OutputSummary& o) {
  std::string sentence = "若从第 " + std::to_string(result.summary.firstPeriod()) + " 期起每期把" +
                         std::string(outputName(kHeadline, Language::Chinese)) +
                         "的每个和值都买一注，共投注 " + groupedNumber(o.money.stakeYuan) +
                         " 元，返还 " + groupedNumber(o.money.returnedYuan) + " 元（" +
                         percentText(o.money.rate()) + "）；同样多的盲选平均返还 " +
                         percentText(o.expectedRate()) + "。";
  if (result.shuffles == 0) return sentence;
  const std::string above = listsAboveChance(result, Language::Chinese);
  if (above.empty()) return sentence + "没有哪个号码范围的返还超出运气所能解释的范围。";
  return sentence + "只有" + above + "的返还超出了运气所能解释的范围，但也只返还了投注的 " +
         percentText(highestRateAboveChance(result)) + "。";
}

}  // namespace

std::string moneySentence(const BacktestResult& result, Language language) {
  if (result.summary.replays() == 0) return "";
  const OutputSummary& o = result.summary.output(static_cast<int>(kHeadline));
  return language == Language::Chinese ? chineseMoney(result, o) : englishMoney(result, o);
}

std::vector<MoneyRow> moneyTable(const BacktestResult& result, Language language) {
  std::vector<MoneyRow> rows;
  if (language == Language::Chinese) {
    rows.push_back({"号码范围", "投注（元）", "返还（元）", "净额（元）", "返还率", "盲选返还率",
                    "p", "Holm 校正后 p", "最好 / 最差的一年"});
  } else {
    rows.push_back({"list", "staked (yuan)", "returned (yuan)", "net (yuan)", "return rate",
                    "blind bets' rate", "p", "p after Holm", "best / worst year"});
  }
  const bool tested = result.shuffles > 0;
  for (int i = 0; i < engine::kLists; ++i) {
    const OutputSummary& o = result.summary.output(i);
    const OutputTest& t = result.tests[static_cast<std::size_t>(i)];
    const std::optional<BestAndWorst> years = bestAndWorstYears(o);
    const auto year = [](const YearRate& y) {
      return std::to_string(y.year) + " " + percentText(y.rate);
    };
    rows.push_back(
        {std::string(outputName(engine::kAllOutputs[static_cast<std::size_t>(i)], language)),
         groupedNumber(o.money.stakeYuan), groupedNumber(o.money.returnedYuan),
         groupedNumber(o.money.returnedYuan - o.money.stakeYuan), percentText(o.money.rate()),
         percentText(o.expectedRate()), tested ? fixed(t.returnPValue, 3) : "-",
         tested ? fixed(t.returnPValueHolm, 3) : "-",
         years ? year(years->best) + " / " + year(years->worst) : "-"});
  }
  return rows;
}

}  // namespace quorvel::backtest
