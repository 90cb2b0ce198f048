#include "quorvel/report/money_texts.h"

#include <algorithm>

#include "listed_names.h"
#include "number_text.h"
#include "quorvel/presentation/money_text.h"
#include "quorvel/report/output_names.h"

namespace quorvel::report {
namespace {

using backtest::OutputSummary;
using backtest::OutputTest;
using presentation::groupedNumber;
using presentation::percentText;

// The list a player most often follows, which the verdict's money sentence is about.
constexpr engine::Output kHeadline = engine::Output::KeyRange;

bool returnsMoreThanChance(const OutputTest& test) {
  return test.returnPValueHolm < backtest::kLevel;
}

struct MoneyWords {
  // What betting `list` every period since `first` staked and returned, beside blind bets.
  std::string (*bets)(std::string_view list, std::uint64_t first, const backtest::Money& money,
                      double expectedRate);
  std::string_view noneAbove;  // no list returned more than chance allows
  // Only `lists` did, and still returned no more than `highest` of the stake.
  std::string (*someAbove)(const std::string& lists, double highest);
  std::string (*theList)(std::string_view name);  // a list named in a sentence
  std::string_view between;                       // between the lists named
  MoneyRow heading;
};

const MoneyWords kEnglish{
    [](std::string_view list, std::uint64_t first, const backtest::Money& money,
       double expectedRate) {
      return "Betting the " + std::string(list) + " every period since period " +
             std::to_string(first) + " would have staked " + groupedNumber(money.stakeYuan) +
             " yuan and returned " + groupedNumber(money.returnedYuan) + " (" +
             fixed(100 * money.rate(), 1) + " %); blind bets of the same size return " +
             fixed(100 * expectedRate, 1) + " % on average. ";
    },
    "No list returns more than chance allows. ",
    [](const std::string& lists, double highest) {
      return "Only " + lists + " returned more than chance allows, and still no more than " +
             fixed(100 * highest, 1) + " % of the stake. ";
    },
    [](std::string_view name) { return "the " + std::string(name); },
    " and ",
    {"list", "staked (yuan)", "returned (yuan)", "net (yuan)", "return rate", "blind bets' rate",
     "p", "p after Holm", "best / worst year"}};

const MoneyWords kChinese{
    [](std::string_view list, std::uint64_t first, const backtest::Money& money,
       double expectedRate) {
      return "若从第 " + std::to_string(first) + " 期起每期把" + std::string(list) +
             "的每个和值都买一注，共投注 " + groupedNumber(money.stakeYuan) + " 元，返还 " +
             groupedNumber(money.returnedYuan) + " 元（" + percentText(money.rate()) +
             "）；同样多的盲选平均返还 " + percentText(expectedRate) + "。";
    },
    "没有哪个号码范围的返还超出运气所能解释的范围。",
    [](const std::string& lists, double highest) {
      return "只有" + lists + "的返还超出了运气所能解释的范围，但也只返还了投注的 " +
             percentText(highest) + "。";
    },
    [](std::string_view name) { return std::string(name); },
    " and ",
    {"号码范围", "投注（元）", "返还（元）", "净额（元）", "返还率", "盲选返还率", "p",
     "Holm 校正后 p", "最好 / 最差的一年"}};

const Catalogue<MoneyWords> kWords{kEnglish, kChinese};

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
  const MoneyWords& words = kWords.in(language);
  std::vector<std::string> names;
  for (int i = 0; i < engine::kLists; ++i) {
    if (!returnsMoreThanChance(result.tests[static_cast<std::size_t>(i)])) continue;
    names.push_back(
        words.theList(outputName(engine::kAllOutputs[static_cast<std::size_t>(i)], language)));
  }
  return listedNames(names, language, words.between, words.between);
}

}  // namespace

std::string moneySentence(const BacktestResult& result, Language language) {
  if (result.summary.replays() == 0) return "";
  const MoneyWords& words = kWords.in(language);
  const OutputSummary& o = result.summary.output(static_cast<int>(kHeadline));
  std::string sentence = words.bets(outputName(kHeadline, language), result.summary.firstPeriod(),
                                    o.money, o.expectedRate());
  if (result.shuffles == 0) return sentence;
  const std::string above = listsAboveChance(result, language);
  if (above.empty()) return sentence + std::string(words.noneAbove);
  return sentence + words.someAbove(above, highestRateAboveChance(result));
}

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

}  // namespace quorvel::report
