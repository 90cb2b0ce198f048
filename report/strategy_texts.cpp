#include "quorvel/report/strategy_texts.h"

#include "common_words.h"
#include "listed_names.h"
#include "quorvel/report/verdict_texts.h"

namespace quorvel::report {
namespace {

using backtest::Standing;
using backtest::StrategyTally;

struct StrategyWords {
  std::array<std::string_view, backtest::kStrategies> names;  // by Strategy
  std::string (*shown)(const std::string& strategies, std::uint64_t shuffles,
                       const std::string& level);
  std::string (*nothing)(std::uint64_t shuffles, const std::string& level);
  std::string_view untested;  // no shuffles were run
  std::string (*open)(const std::string& strategies);  // borderline or undecided
  std::string (*money)(const std::string& each);
  std::string (*returned)(std::string_view name, const std::string& rate,
                          const std::string& blind);
  std::vector<std::string> heading;
};

const StrategyWords kEnglish{
    {"chase the overdue sum", "chase the hot sum", "follow the last sum",
     "chase the overdue first digit", "chase the overdue second digit",
     "chase the overdue third digit"},
    [](const std::string& strategies, std::uint64_t shuffles, const std::string& level) {
      return "At the " + level + " level, against " + std::to_string(shuffles) +
             " shuffles of this record with the six strategies adjusted together, this record's "
             "order is not what chance gives for " +
             strategies +
             ": it hit more often than in a shuffled record. That is what shuffling tests: it does "
             "not show that betting by it pays.";
    },
    [](std::uint64_t shuffles, const std::string& level) {
      return "No evidence at the " + level +
             " level that any strategy the chart suggests (chasing the overdue, chasing the hot, "
             "following the last) hits more often than chance, against " +
             std::to_string(shuffles) + " shuffles of this record with the six adjusted together.";
    },
    "The strategies were not tested against shuffles (--shuffles 0), so this cannot say whether "
    "any beats chance.",
    [](const std::string& strategies) { return " Still on the line: " + strategies + "."; },
    [](const std::string& each) {
      return " What came back of every yuan staked, betting by them every period: " + each + ".";
    },
    [](std::string_view name, const std::string& rate, const std::string& blind) {
      return std::string(name) + " " + rate + " yuan (blind bets " + blind + ")";
    },
    {"strategy", "calls", "hits", "chance's hits", "stake", "returned", "return rate",
     "blind bets'", "p", "p adjusted", "stands"}};

const StrategyWords kChinese{
    {"追冷（和值）", "追热（和值）", "跟上期（和值）", "追冷（百位）", "追冷（十位）", "追冷（个位）"},
    [](const std::string& strategies, std::uint64_t shuffles, const std::string& level) {
      return "把这份记录打乱 " + std::to_string(shuffles) + " 次作对照、六种打法放在一起校正后，在 " +
             level + " 水平上，" + strategies +
             "在这份记录上的命中比打乱的记录多：记录的先后顺序不像运气给出的。打乱检验说明的只是这一点，"
             "并不说明照这样下注能赚钱。";
    },
    [](std::uint64_t shuffles, const std::string& level) {
      return "把这份记录打乱 " + std::to_string(shuffles) + " 次作对照、六种打法放在一起校正后，在 " +
             level + " 水平上，没有证据表明走势图提示的哪种打法（追冷、追热、跟上期）命中比运气多。";
    },
    "没有把这些打法放到打乱的记录上检验（打乱 0 次），所以说不出哪种胜过运气。",
    [](const std::string& strategies) { return "仍在边缘或未定的有" + strategies + "。"; },
    [](const std::string& each) { return "每期照这样下注，每投入 1 元返还：" + each + "。"; },
    [](std::string_view name, const std::string& rate, const std::string& blind) {
      return std::string(name) + " " + rate + " 元（随便买 " + blind + " 元）";
    },
    {"打法", "期数", "命中", "运气的命中", "投注", "返还", "返还率", "随便买的返还率", "p",
     "校正后 p", "结论"}};

const Catalogue<StrategyWords> kWords{kEnglish, kChinese};

std::string rateOf(std::int64_t returnedMills, std::int64_t stakeYuan) {
  return stakeYuan > 0 ? fixed(static_cast<double>(returnedMills) / 1000.0 /
                                   static_cast<double>(stakeYuan),
                               2)
                       : std::string("-");
}

}  // namespace

std::string_view strategyKey(backtest::Strategy strategy) {
  constexpr std::array<std::string_view, backtest::kStrategies> kKeys = {
      "overdue sum",          "hot sum",           "last sum", "overdue first digit",
      "overdue second digit", "overdue third digit"};
  return kKeys[static_cast<std::size_t>(strategy)];
}

std::string_view strategyName(backtest::Strategy strategy, Language language) {
  return kWords.in(language).names[static_cast<std::size_t>(strategy)];
}

std::string strategiesSentence(const backtest::StrategiesTest& test, Language language) {
  const StrategyWords& words = kWords.in(language);
  std::vector<std::string> shown, open, money;
  for (std::size_t s = 0; s < backtest::kStrategies; ++s) {
    const backtest::Strategy strategy = backtest::kAllStrategies[s];
    const Standing standing = test.family.claims[s].standing;
    if (standing == Standing::Shown) shown.emplace_back(strategyName(strategy, language));
    if (standing == Standing::Borderline || standing == Standing::Undecided)
      open.emplace_back(strategyName(strategy, language));
    const StrategyTally& t = test.tallies[s];
    if (backtest::betsSum(strategy) && t.stakeYuan > 0) {
      money.push_back(words.returned(strategyName(strategy, language),
                                     rateOf(1000 * t.returnedYuan, t.stakeYuan),
                                     rateOf(t.expectedReturnMills, t.stakeYuan)));
    }
  }
  std::string sentence =
      test.shuffles == 0 ? std::string(words.untested)
      : shown.empty()    ? words.nothing(test.shuffles, levelText())
                    : words.shown(listedNames(shown, language, ", ", " and ", false), test.shuffles,
                                  levelText());
  if (!open.empty()) sentence += words.open(listedNames(open, language, ", ", " and ", false));
  if (!money.empty()) sentence += words.money(listedNames(money, language, ", ", " and ", false));
  return sentence;
}

std::vector<std::vector<std::string>> strategiesTable(const backtest::StrategiesTest& test,
                                                      Language language) {
  std::vector<std::vector<std::string>> rows = {kWords.in(language).heading};
  for (std::size_t s = 0; s < backtest::kStrategies; ++s) {
    const backtest::Strategy strategy = backtest::kAllStrategies[s];
    const StrategyTally& t = test.tallies[s];
    const backtest::ClaimTest& claim = test.family.claims[s];
    const bool money = backtest::betsSum(strategy);
    rows.push_back({std::string(strategyName(strategy, language)), std::to_string(t.calls),
                    std::to_string(t.hits), fixed(static_cast<double>(t.chanceThousandths) / 1000.0, 1),
                    money ? words::groupedNumber(t.stakeYuan) : "-",
                    money ? words::groupedNumber(t.returnedYuan) : "-",
                    money ? rateOf(1000 * t.returnedYuan, t.stakeYuan) : "-",
                    money ? rateOf(t.expectedReturnMills, t.stakeYuan) : "-",
                    fixed(claim.pValue, 3), fixed(claim.pValueAdjusted, 3),
                    std::string(standingWord(claim.standing, language))});
  }
  return rows;
}

}  // namespace quorvel::report
