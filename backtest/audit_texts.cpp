#include "quorvel/backtest/audit_texts.h"

#include <algorithm>

#include "listed_names.h"
#include "number_text.h"
#include "quorvel/backtest/power.h"
#include "quorvel/backtest/report_texts.h"
#include "quorvel/backtest/settings.h"
#include "quorvel/presentation/money_text.h"

namespace quorvel::backtest {
namespace {

using presentation::percentText;

// What each test of kAuditTests looks at, in its order.
struct TestWords {
  std::string_view english, chinese;
};
constexpr std::array<TestWords, kAuditTests.size()> kWords = {{
    {"the first digit's frequencies", "第一位的频率"},
    {"the second digit's frequencies", "第二位的频率"},
    {"the third digit's frequencies", "第三位的频率"},
    {"the sums' frequencies", "和值的频率"},
    {"the first digit against the next draw's", "第一位与下一期的第一位"},
    {"the second digit against the next draw's", "第二位与下一期的第二位"},
    {"the third digit against the next draw's", "第三位与下一期的第三位"},
    {"a sum's class (big or small, odd or even) against the next draw's",
     "和值的大小单双与下一期的"},
    {"the gaps between a digit's appearances at its position", "同一位上同一数字两次出现的间隔"},
    {"the runs of big and small sums", "和值大小的连续段"},
    {"the runs of odd and even sums", "和值单双的连续段"},
}};

// The tests that reject, in words, joined as the language joins a list.
std::string rejecting(const Audit& audit, Language language) {
  std::vector<std::string> names;
  for (const AuditTest& test : audit.tests) {
    if (test.pValueHolm < kLevel) names.emplace_back(auditTestWords(test.name, language));
  }
  return listedNames(names, language, "; ", "; ");
}

// The level each output of the backtest is held to: "5% / 8", "5% ÷ 8".
std::string outputLevelText(Language language) {
  return levelText() + (language == Language::Chinese ? " ÷ " : " / ") +
         std::to_string(engine::kOutputs);
}

}  // namespace

std::string_view auditTestWords(std::string_view name, Language language) {
  const auto found = std::find(kAuditTests.begin(), kAuditTests.end(), name);
  if (found == kAuditTests.end()) return name;
  const TestWords& words = kWords[static_cast<std::size_t>(found - kAuditTests.begin())];
  return language == Language::Chinese ? words.chinese : words.english;
}

std::string auditSentence(const Audit& audit, Language language) {
  const std::string draws = presentation::groupedNumber(static_cast<std::int64_t>(audit.draws));
  const std::string named = rejecting(audit, language);
  const std::string level = levelText();
  if (language == Language::Chinese) {
    if (named.empty()) {
      return "在这 " + draws +
             " 期开奖上，记录看起来就是独立、公平的开奖："
             "十一项检验在 Holm 校正后都没有在 " +
             level +
             " 水平上发现异常。"
             "就这些检验所能看到的，每一期都与以前无关，过去的号码帮不了任何预测。";
    }
    return "在这 " + draws + " 期开奖上，记录在 Holm 校正后的 " + level +
           " 水平上不像独立、公平的开奖：" + named + "显示出异常。";
  }
  if (named.empty()) {
    return "On these " + draws +
           " draws the record looks like independent, fair draws: none of the eleven tests "
           "rejects at the " +
           level +
           " level after Holm's adjustment. As far as these tests can tell, each draw owes "
           "nothing to the ones before it, so no forecast from past draws can help.";
  }
  return "On these " + draws +
         " draws the record does not look like independent, fair draws at the " + level +
         " level after Holm's adjustment: " + named + " say otherwise.";
}

std::vector<AuditRow> auditTable(const Audit& audit, Language language) {
  std::vector<AuditRow> rows;
  if (language == Language::Chinese) {
    rows.push_back({"检验", "看的是", "统计量", "自由度", "p", "Holm 校正后 p"});
  } else {
    rows.push_back({"test", "what it looks at", "statistic", "df", "p", "p after Holm"});
  }
  for (const AuditTest& test : audit.tests) {
    rows.push_back({std::string(test.name), std::string(auditTestWords(test.name, language)),
                    fixed(test.statistic, 2), test.df ? std::to_string(*test.df) : "-",
                    fixed(test.pValue, 4), fixed(test.pValueHolm, 4)});
  }
  return rows;
}

std::vector<PowerRow> powerTable(const BacktestResult& result, Language language) {
  std::vector<PowerRow> rows;
  if (language == Language::Chinese) {
    rows.push_back(
        {"输出", "次数", "运气", "能看出的命中率", "能排除的优势（百分点）", "那时的返还率"});
  } else {
    rows.push_back({"output", "calls", "chance", "detectable hit rate",
                    "rules out an edge larger than (points)", "return rate at that edge"});
  }
  const std::array<Power, engine::kOutputs> powers = powerOfTest(result);
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    const Power& power = powers[i];
    rows.push_back({std::string(outputName(engine::kAllOutputs[i], language)),
                    std::to_string(o.calls), percentText(o.chanceRate()),
                    percentText(power.detectableRate), fixed(power.edgePoints, 1),
                    power.returnRate ? percentText(*power.returnRate) : "-"});
  }
  return rows;
}

std::string powerHeading(Language language) {
  const std::string level = outputLevelText(language);
  if (language == Language::Chinese)
    return "检验能看出的最小优势（五次能抓住四次，水平 " + level + "）";
  return "the smallest edge the test would catch four times in five (at " + level +
         "); the record rules out anything larger";
}

std::string powerNote(Language language) {
  const std::string level = outputLevelText(language);
  if (language == Language::Chinese) {
    return "“没有显著结果”不等于“没有优势”。"
           "这张表给出这份记录长度下能看出的最小优势："
           "预测若真有这么大的优势，置换检验在 " +
           level +
           " 的水平上五次能抓住四次，"
           "所以记录排除了比它更大的优势。"
           "（命中次数按二项分布的正态近似计算；号码范围的返还率按每个和值的机会同比提高计算。）";
  }
  return "No significant result is not the same as no edge. This table gives the smallest edge a "
         "record this long would show: with an edge that large the permutation test, at " +
         level +
         ", would catch the output four times in five, so the record rules out anything larger. "
         "(The hit count is taken as binomial, in its normal approximation; a list's return rate "
         "raises every sum's chance in the same proportion.)";
}

}  // namespace quorvel::backtest
