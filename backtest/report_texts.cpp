#include "quorvel/backtest/report_texts.h"

#include "listed_names.h"
#include "number_text.h"
#include "quorvel/backtest/money_texts.h"
#include "quorvel/presentation/money_text.h"
#include "quorvel/presentation/screen_layout.h"

namespace quorvel::backtest {
namespace {

using presentation::percentText;

std::string number(std::uint64_t value) { return std::to_string(value); }

// A setting's text as a message quotes it: whole when short, else its beginning and "…".
std::string given(const std::string& text) {
  constexpr std::size_t kQuoted = 40;
  if (text.size() <= kQuoted) return text;
  std::size_t end = kQuoted;  // not inside a character
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end) + "…";
}

// A setting that is not `what` within its limits: "2000000 is not a whole number of shuffles from 0
// to 1000000", "2000000 不是 0 到 1000000 之间的整数打乱次数".
std::string outOfRange(const Problem& p, std::string_view what, Language language) {
  if (language == Language::Chinese) {
    return given(p.text) + " 不是 " + number(p.first) + " 到 " + number(p.second) + " 之间的" +
           std::string(what);
  }
  return given(p.text) + " is not " + std::string(what) + " from " + number(p.first) + " to " +
         number(p.second);
}

std::string englishProblem(const Problem& p) {
  switch (p.fault) {
    case Fault::Utf16:
      return "this looks like UTF-16 text; save the history as UTF-8";
    case Fault::NotText:
      return "this is not a text file: a CSV history is UTF-8 text";
    case Fault::LineTooLong:
      return "the line is longer than " + number(p.first) + " bytes";
    case Fault::FieldCount:
      return "expected period,d1,d2,d3[,sum] or period,number[,sum] (the three digits together, "
             "as 358), found " +
             number(p.first) + " fields";
    case Fault::PeriodTooLarge:
      return "the period is too large; the largest is " + number(p.first);
    case Fault::PeriodNotANumber:
      return "the period is not a whole number";
    case Fault::PeriodOutOfOrder:
      return "period " + number(p.first) + " does not follow period " + number(p.second);
    case Fault::PeriodNotBefore:
      return "period " + number(p.first) + " does not come before period " + number(p.second) +
             " in a record newest first";
    case Fault::NotADigit:
      return "d" + number(p.first) + " is not a digit 0-9";
    case Fault::WrongSum:
      return "the sum is not " + number(p.first) + ", the sum of the digits";
    case Fault::TooFewDraws:
      return "need at least four draws, found " + number(p.first);
    case Fault::RecordTooLarge:
      return "the record is larger than " + number(p.first) +
             " bytes, far larger than any record of draws";
    case Fault::Shuffles:
      return outOfRange(p, "a whole number of shuffles", Language::English);
    case Fault::Seed:
      return outOfRange(p, "a whole number", Language::English);
    case Fault::Simulated:
      return outOfRange(p, "a whole number of draws", Language::English);
    case Fault::Threads:
      return outOfRange(p, "a whole number of threads", Language::English);
  }
  return {};
}

std::string chineseProblem(const Problem& p) {
  switch (p.fault) {
    case Fault::Utf16:
      return "这像是 UTF-16 文本，请把记录另存为 UTF-8";
    case Fault::NotText:
      return "这不是文本文件：CSV 记录应是 UTF-8 文本";
    case Fault::LineTooLong:
      return "这一行超过 " + number(p.first) + " 字节";
    case Fault::FieldCount:
      return "应为 period,d1,d2,d3[,sum] 或 period,number[,sum]（期号、三位数字或连写的号码如 "
             "358、可有和值），这一行有 " +
             number(p.first) + " 项";
    case Fault::PeriodTooLarge:
      return "期号太大，最大是 " + number(p.first);
    case Fault::PeriodNotANumber:
      return "期号不是整数";
    case Fault::PeriodOutOfOrder:
      return "期号 " + number(p.first) + " 没有排在上一期 " + number(p.second) +
             " 之后（期号须逐行增大）";
    case Fault::PeriodNotBefore:
      return "期号 " + number(p.first) + " 没有排在 " + number(p.second) +
             " 之前（这份记录最新一期在前，期号须逐行减小）";
    case Fault::NotADigit:
      return "d" + number(p.first) + " 不是 0 到 9 的数字";
    case Fault::WrongSum:
      return "和值不是三位数字之和 " + number(p.first);
    case Fault::TooFewDraws:
      return "至少需要四期开奖，只找到 " + number(p.first) + " 期";
    case Fault::RecordTooLarge:
      return "记录超过 " + number(p.first) + " 字节，不像开奖记录";
    case Fault::Shuffles:
      return outOfRange(p, "整数打乱次数", Language::Chinese);
    case Fault::Seed:
      return outOfRange(p, "整数种子", Language::Chinese);
    case Fault::Simulated:
      return outOfRange(p, "整数期数", Language::Chinese);
    case Fault::Threads:
      return outOfRange(p, "整数线程数", Language::Chinese);
  }
  return {};
}

// The outputs a test picks, named and joined as the language joins a list.
std::string namesWhere(const BacktestResult& result, Language language,
                       bool (*picked)(const OutputTest&)) {
  std::vector<std::string> names;
  for (const engine::Output output : engine::kAllOutputs) {
    if (picked(result.tests[static_cast<std::size_t>(output)]))
      names.emplace_back(outputName(output, language));
  }
  return listedNames(names, language);
}

bool beatsChance(const OutputTest& t) { return t.pValueHolm < kLevel; }
bool patternBeatsChance(const OutputTest& t) { return t.patternPValueHolm < kLevel; }

std::string englishVerdict(const BacktestResult& result) {
  if (result.shuffles == 0) {
    return "No permutation test was run (--shuffles 0), so this report cannot say whether any "
           "output beats chance.";
  }
  const std::string beat = namesWhere(result, Language::English, beatsChance);
  const std::string pattern = namesWhere(result, Language::English, patternBeatsChance);
  const std::string level = levelText();
  std::string sentence = "Against " + number(result.shuffles) +
                         " shuffles of this record, after Holm's adjustment for eight outputs: ";
  sentence += beat.empty() ? "no output beats chance at the " + level +
                                 " level, so the forecast picks no better than blind picks of the "
                                 "same size"
                           : "the " + beat + " beat chance at the " + level + " level";
  sentence += pattern.empty()
                  ? "; and the claimed runs of 4-5 right then 1-2 wrong come no more often than "
                    "in a shuffled record."
                  : "; the claimed runs of 4-5 right then 1-2 wrong come more often than in a "
                    "shuffled record for the " +
                        pattern + ".";
  return sentence;
}

std::string chineseVerdict(const BacktestResult& result) {
  if (result.shuffles == 0) return "没有做置换检验（打乱 0 次），所以说不出哪一项胜过运气。";
  const std::string beat = namesWhere(result, Language::Chinese, beatsChance);
  const std::string pattern = namesWhere(result, Language::Chinese, patternBeatsChance);
  std::string sentence =
      "把这份记录打乱 " + number(result.shuffles) + " 次作对照，并按八项输出做 Holm 校正后：";
  const std::string level = levelText();
  sentence += beat.empty()
                  ? "没有一项在 " + level + " 水平上胜过运气，这个预测并不比同样多的随手盲选更准"
                  : beat + "在 " + level + " 水平上胜过运气";
  sentence += pattern.empty()
                  ? "；所说的“连准4-5期后错1-2期”也不比打乱的记录里更常见。"
                  : "；所说的“连准4-5期后错1-2期”在" + pattern + "上比打乱的记录里更常见。";
  return sentence;
}

}  // namespace

std::string_view outputName(engine::Output output, Language language) {
  constexpr std::array<std::string_view, engine::kOutputs> kEnglish = {
      "predicted range", "key range", "extreme numbers", "middle/edge",
      "big/small",       "odd/even",  "front/back",      "mod 3"};
  if (language == Language::English) return kEnglish[static_cast<std::size_t>(output)];
  return engine::isList(output) ? presentation::listCaption(output)
                                : presentation::verdictBoxName(output);
}

std::string problemText(const Problem& problem, Language language) {
  return language == Language::Chinese ? chineseProblem(problem) : englishProblem(problem);
}

std::string locatedText(std::string_view source, const Problem& problem, Language language) {
  const std::string what = problemText(problem, language);
  const std::string line = number(problem.line), column = number(problem.column);
  if (language == Language::Chinese) {
    return std::string(source) +
           (problem.placed() ? " 第" + line + "行第" + column + "列：" : "：") + what;
  }
  return std::string(source) + (problem.placed() ? ":" + line + ":" + column + ": " : ": ") + what;
}

std::string_view recordOrderNote(const BacktestResult& result, Language language) {
  if (result.recordOrder == RecordOrder::OldestFirst) return "";
  return language == Language::Chinese
             ? "这份记录最新一期在前，已按时间先后重演。"
             : "The record runs newest first; it was replayed oldest first.";
}

std::string verdictSentence(const BacktestResult& result, Language language) {
  return moneySentence(result, language) +
         (language == Language::Chinese ? chineseVerdict(result) : englishVerdict(result));
}

std::vector<ReportRow> reportTable(const BacktestResult& result, Language language) {
  std::vector<ReportRow> rows;
  if (language == Language::Chinese) {
    rows.push_back({"输出", "命中率", "运气", "多中几次", "p", "Holm 校正后 p", "规律的 p"});
  } else {
    rows.push_back(
        {"output", "hit rate", "chance", "excess hits", "p", "p after Holm", "pattern's p"});
  }
  const bool tested = result.shuffles > 0;
  auto p = [&](double value) { return tested ? fixed(value, 3) : std::string("-"); };
  for (const engine::Output output : engine::kAllOutputs) {
    const auto i = static_cast<std::size_t>(output);
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    const OutputTest& t = result.tests[i];
    rows.push_back({std::string(outputName(output, language)), percentText(o.hitRate()),
                    percentText(o.chanceRate()),
                    fixed(static_cast<double>(t.excessThousandths) / 1000.0, 1), p(t.pValue),
                    p(t.pValueHolm), p(t.patternPValue)});
  }
  return rows;
}

}  // namespace quorvel::backtest
