#include "quorvel/report/trend_texts.h"

#include "common_words.h"
#include "listed_names.h"

namespace quorvel::report {
namespace {

using backtest::Frequency;
using backtest::TrendChart;
using backtest::TrendView;

struct TrendWords {
  std::array<std::string_view, 4> views;  // by TrendView
  std::string (*heading)(std::string_view view, std::size_t periods);
  std::string_view period;
  std::array<std::string_view, 4> shortNames;  // by TrendView, as a button names it
  std::string (*choice)(std::size_t periods);
  // The figures' names: count, chance's count and range, mean gap and chance's, largest gap,
  // current gap, its chance.
  std::array<std::string_view, 6> figures;
  std::string (*unusual)(const std::string& frequent, const std::string& rare);
  std::string_view withinChance;
  std::string_view stillChance;
};

const TrendWords kEnglish{
    {"the sum", "the first digit", "the second digit", "the third digit"},
    [](std::string_view view, std::size_t periods) {
      return std::string(view) + ", the last " + std::to_string(periods) +
             " periods (each value's gap: draws since it came; [ ] the value drawn):";
    },
    "period",
    {"sum", "first digit", "second digit", "third digit"},
    [](std::size_t periods) { return "last " + std::to_string(periods); },
    {"count", "chance's count (95% range)", "mean gap (chance's)", "largest gap", "current gap",
     "chance of a gap this long"},
    [](const std::string& frequent, const std::string& rare) {
      std::string text;
      if (!frequent.empty()) text += "Unusually frequent in these periods: " + frequent + ". ";
      if (!rare.empty()) text += "Unusually rare in these periods: " + rare + ". ";
      return text + "(With every value of the chart adjusted together, at the 5% level.)";
    },
    "Every value's count is within chance (with every value of the chart adjusted together, at "
    "the 5% level).",
    " Whatever its gap, the next draw's chance of each value is still its chance: the draws do "
    "not remember, and a long gap makes a value no more due (run the audit for this record's own "
    "test of its gaps)."};

const TrendWords kChinese{
    {"和值", "百位", "十位", "个位"},
    [](std::string_view view, std::size_t periods) {
      return std::string(view) + "，最近 " + std::to_string(periods) +
             " 期（每格是遗漏：多少期没出；[ ] 是开出的号码）：";
    },
    "期号",
    {"和值", "百位", "十位", "个位"},
    [](std::size_t periods) { return "最近 " + std::to_string(periods) + " 期"; },
    {"出现次数", "应出现（95% 范围）", "平均遗漏（运气）", "最大遗漏", "当前遗漏",
     "遗漏这么久的机会"},
    [](const std::string& frequent, const std::string& rare) {
      std::string text;
      if (!frequent.empty()) text += "这些期里出得特别多的：" + frequent + "。";
      if (!rare.empty()) text += "这些期里出得特别少的：" + rare + "。";
      return text + "（图上所有号码放在一起校正，5% 水平。）";
    },
    "每个号码的出现次数都在运气的范围内（图上所有号码放在一起校正，5% 水平）。",
    "不管遗漏了多久，下一期开出每个号码的机会仍然是它原来的机会：开奖不记得过去，遗漏久了也不会“该"
    "出了”（检验记录是否随机时，有对这份记录遗漏的检验）。"};

const Catalogue<TrendWords> kWords{kEnglish, kChinese};

std::string percent(double chance) {
  return chance >= 0.001 ? fixed(100 * chance, 1) + "%" : significant(100 * chance, 2) + "%";
}

}  // namespace

std::string_view trendViewKey(TrendView view) {
  constexpr std::array<std::string_view, 4> kKeys = {"sum", "first digit", "second digit",
                                                     "third digit"};
  return kKeys[static_cast<std::size_t>(view)];
}

std::string trendHeading(const TrendChart& chart, Language language) {
  const TrendWords& words = kWords.in(language);
  return words.heading(words.views[static_cast<std::size_t>(chart.view)], chart.rows.size());
}

std::string_view trendViewName(TrendView view, Language language) {
  return kWords.in(language).shortNames[static_cast<std::size_t>(view)];
}

std::string trendPeriodsChoice(std::size_t periods, Language language) {
  return kWords.in(language).choice(periods);
}

std::vector<std::vector<std::string>> trendRows(const TrendChart& chart, Language language) {
  std::vector<std::vector<std::string>> rows(1);
  rows[0].emplace_back(kWords.in(language).period);
  for (const backtest::TrendValue& value : chart.values) rows[0].push_back(std::to_string(value.value));
  for (const backtest::TrendRow& row : chart.rows) {
    std::vector<std::string> line = {std::to_string(row.period)};
    for (std::size_t v = 0; v < row.gaps.size(); ++v) {
      line.push_back(static_cast<int>(v) == row.value ? "[" + std::to_string(v) + "]"
                                                      : std::to_string(row.gaps[v]));
    }
    rows.push_back(std::move(line));
  }
  return rows;
}

std::vector<std::vector<std::string>> trendFigures(const TrendChart& chart, Language language) {
  const TrendWords& words = kWords.in(language);
  std::vector<std::vector<std::string>> rows(7);
  rows[0].emplace_back("");
  for (std::size_t f = 0; f < words.figures.size(); ++f) rows[f + 1].emplace_back(words.figures[f]);
  for (const backtest::TrendValue& v : chart.values) {
    rows[0].push_back(std::to_string(v.value));
    rows[1].push_back(std::to_string(v.count));
    rows[2].push_back(fixed(v.expected, 1) + " (" + std::to_string(v.range95[0]) + "-" +
                      std::to_string(v.range95[1]) + ")");
    rows[3].push_back(fixed(v.meanGap, 1) + " (" + fixed(v.expectedGap, 1) + ")");
    rows[4].push_back(std::to_string(v.maxGap));
    rows[5].push_back(std::to_string(v.currentGap));
    rows[6].push_back(percent(v.tailChance));
  }
  return rows;
}

std::string trendSentence(const TrendChart& chart, Language language) {
  const TrendWords& words = kWords.in(language);
  std::vector<std::string> frequent, rare;
  for (const backtest::TrendValue& v : chart.values) {
    if (v.frequency == Frequency::Frequent) frequent.push_back(std::to_string(v.value));
    if (v.frequency == Frequency::Rare) rare.push_back(std::to_string(v.value));
  }
  const std::string said =
      frequent.empty() && rare.empty()
          ? std::string(words.withinChance)
          : words.unusual(listedNames(frequent, language, ", ", " and ", false),
                          listedNames(rare, language, ", ", " and ", false));
  return said + std::string(words.stillChance);
}

}  // namespace quorvel::report
