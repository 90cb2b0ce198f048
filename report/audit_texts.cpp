#include "quorvel/report/audit_texts.h"

#include <algorithm>

#include "listed_names.h"
#include "common_words.h"
#include "quorvel/words/number_text.h"

namespace quorvel::report {
namespace {

using backtest::Audit;
using backtest::AuditTest;
using backtest::kAuditTests;

struct AuditWords {
  // What each test of kAuditTests looks at, in its order.
  std::array<std::string_view, kAuditTests.size()> tests;
  // No test rejects at `level`: no evidence that the draws are other than independent and fair.
  std::string (*random)(const std::string& draws, std::uint64_t tests, const std::string& level);
  // They do: the `named` tests reject.
  std::string (*notRandom)(const std::string& draws, const std::string& level,
                           const std::string& named);
  // Too few draws for the audit to tell.
  std::string (*tooFew)(const std::string& draws, std::uint64_t needed);
  std::string_view between;  // between the rejecting tests named
  AuditRow heading;
};

const AuditWords kEnglish{
    {"the first digit's frequencies",
     "the second digit's frequencies",
     "the third digit's frequencies",
     "the sums' frequencies",
     "the first digit against the next draw's",
     "the second digit against the next draw's",
     "the third digit against the next draw's",
     "a sum's class (big or small, odd or even) against the next draw's",
     "the gaps between a digit's appearances at its position",
     "the runs of big and small sums",
     "the runs of odd and even sums",
     "the first digit against the one two draws later",
     "the second digit against the one two draws later",
     "the third digit against the one two draws later",
     "the first digit against the one three draws later",
     "the second digit against the one three draws later",
     "the third digit against the one three draws later",
     "the first digit against the second of the same draw",
     "the first digit against the third of the same draw",
     "the second digit against the third of the same draw",
     "the 1000 triples of digits",
     "the sums of the record's first half against its second",
     "the digits of each whole year against the others'"},
    [](const std::string& draws, std::uint64_t tests, const std::string& level) {
      return "On these " + draws + " draws none of the " + counted(tests, kEnglishNumerals) +
             " tests rejects at the " + level +
             " level after Holm's adjustment: no evidence that the draws are other than "
             "independent and fair.";
    },
    [](const std::string& draws, const std::string& level, const std::string& named) {
      return "On these " + draws +
             " draws the record does not look like independent, fair draws at the " + level +
             " level after Holm's adjustment: " + named + " say otherwise.";
    },
    [](const std::string& draws, std::uint64_t needed) {
      return "These " + draws +
             " draws are too few for the audit to tell whether they are independent and fair: "
             "its tables of pairs need " +
             std::to_string(needed) + " draws or more.";
    },
    "; ",
    {"test", "what it looks at", "statistic", "df", "p", "p after Holm"}};

const AuditWords kChinese{
    {"第一位的频率",
     "第二位的频率",
     "第三位的频率",
     "和值的频率",
     "第一位与下一期的第一位",
     "第二位与下一期的第二位",
     "第三位与下一期的第三位",
     "和值的大小单双与下一期的",
     "同一位上同一数字两次出现的间隔",
     "和值大小的连续段",
     "和值单双的连续段",
     "第一位与隔一期的第一位",
     "第二位与隔一期的第二位",
     "第三位与隔一期的第三位",
     "第一位与隔两期的第一位",
     "第二位与隔两期的第二位",
     "第三位与隔两期的第三位",
     "同一期的第一位与第二位",
     "同一期的第一位与第三位",
     "同一期的第二位与第三位",
     "一千种三位组合的频率",
     "前一半与后一半的和值",
     "各个整年的数字频率"},
    [](const std::string& draws, std::uint64_t tests, const std::string& level) {
      return "在这 " + draws + " 期开奖上，" + counted(tests, kChineseNumerals) +
             "项检验在 Holm 校正后都没有在 " + level +
             " 水平上发现异常：没有证据表明这些开奖不是独立、公平的。";
    },
    [](const std::string& draws, const std::string& level, const std::string& named) {
      return "在这 " + draws + " 期开奖上，记录在 Holm 校正后的 " + level +
             " 水平上不像独立、公平的开奖：" + named + "显示出异常。";
    },
    [](const std::string& draws, std::uint64_t needed) {
      return "这 " + draws + " 期开奖太少，看不出是否独立、公平：成对的检验至少需要 " +
             std::to_string(needed) + " 期。";
    },
    "; ",
    {"检验", "看的是", "统计量", "自由度", "p", "Holm 校正后 p"}};

const Catalogue<AuditWords> kWords{kEnglish, kChinese};

// The tests that reject, in words, joined as the language joins a list.
std::string rejecting(const Audit& audit, Language language) {
  const AuditWords& words = kWords.in(language);
  std::vector<std::string> names;
  for (const AuditTest& test : audit.tests) {
    if (test.pValueHolm < backtest::kLevel) names.emplace_back(auditTestWords(test.name, language));
  }
  return listedNames(names, language, words.between, words.between);
}

}  // namespace

std::string_view auditTestWords(std::string_view name, Language language) {
  const auto found = std::find(kAuditTests.begin(), kAuditTests.end(), name);
  if (found == kAuditTests.end()) return name;
  return kWords.in(language).tests[static_cast<std::size_t>(found - kAuditTests.begin())];
}

std::string auditSentence(const Audit& audit, Language language) {
  const AuditWords& words = kWords.in(language);
  const std::string draws = words::groupedNumber(static_cast<std::int64_t>(audit.draws));
  if (!audit.canTell()) return words.tooFew(draws, backtest::kAuditMinimumDraws);
  const std::string named = rejecting(audit, language);
  if (named.empty()) return words.random(draws, audit.tests.size(), levelText());
  return words.notRandom(draws, levelText(), named);
}

std::vector<AuditRow> auditTable(const Audit& audit, Language language) {
  std::vector<AuditRow> rows = {kWords.in(language).heading};
  for (const AuditTest& test : audit.tests) {
    rows.push_back({std::string(test.name), std::string(auditTestWords(test.name, language)),
                    fixed(test.statistic, 2), test.df ? std::to_string(*test.df) : "-",
                    fixed(test.pValue, 4), fixed(test.pValueHolm, 4)});
  }
  return rows;
}

}  // namespace quorvel::report
