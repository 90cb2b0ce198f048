#include "quorvel/report/report_texts.h"

#include "listed_names.h"
#include "number_text.h"
#include "quorvel/presentation/money_text.h"
#include "quorvel/report/money_texts.h"
#include "quorvel/report/output_names.h"

namespace quorvel::report {
namespace {

using backtest::OutputTest;
using presentation::percentText;

struct VerdictWords {
  std::string_view untested;  // no permutation test was run
  std::string (*against)(std::uint64_t shuffles, const std::string& outputs);  // and adjusted
  std::string (*noneBeats)(const std::string& level);
  std::string (*someBeat)(const std::string& outputs, const std::string& level);
  std::string_view patternNowhere;                       // the pattern is no more common
  std::string (*patternIn)(const std::string& outputs);  // it is, for these
  std::string_view newestFirst;                          // the record ran newest first
  const Numerals& numerals;
  ReportRow heading;
};

const VerdictWords kEnglish{
    "No permutation test was run (--shuffles 0), so this report cannot say whether any output "
    "beats chance.",
    [](std::uint64_t shuffles, const std::string& outputs) {
      return "Against " + std::to_string(shuffles) +
             " shuffles of this record, after Holm's "
             "adjustment for " +
             outputs + " outputs: ";
    },
    [](const std::string& level) {
      return "no output beats chance at the " + level +
             " level, so the forecast picks no better than blind picks of the same size";
    },
    [](const std::string& outputs, const std::string& level) {
      return "the " + outputs + " beat chance at the " + level + " level";
    },
    "; and the claimed runs of 4-5 right then 1-2 wrong come no more often than in a shuffled "
    "record.",
    [](const std::string& outputs) {
      return "; the claimed runs of 4-5 right then 1-2 wrong come more often than in a shuffled "
             "record for the " +
             outputs + ".";
    },
    "The record runs newest first; it was replayed oldest first.",
    kEnglishNumerals,
    {"output", "hit rate", "chance", "excess hits", "p", "p after Holm", "pattern's p"}};

const VerdictWords kChinese{
    "没有做置换检验（打乱 0 次），所以说不出哪一项胜过运气。",
    [](std::uint64_t shuffles, const std::string& outputs) {
      return "把这份记录打乱 " + std::to_string(shuffles) + " 次作对照，并按" + outputs +
             "项输出做 Holm 校正后：";
    },
    [](const std::string& level) {
      return "没有一项在 " + level + " 水平上胜过运气，这个预测并不比同样多的随手盲选更准";
    },
    [](const std::string& outputs, const std::string& level) {
      return outputs + "在 " + level + " 水平上胜过运气";
    },
    "；所说的“连准4-5期后错1-2期”也不比打乱的记录里更常见。",
    [](const std::string& outputs) {
      return "；所说的“连准4-5期后错1-2期”在" + outputs + "上比打乱的记录里更常见。";
    },
    "这份记录最新一期在前，已按时间先后重演。",
    kChineseNumerals,
    {"输出", "命中率", "运气", "多中几次", "p", "Holm 校正后 p", "规律的 p"}};

const Catalogue<VerdictWords> kWords{kEnglish, kChinese};

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

bool beatsChance(const OutputTest& t) { return t.pValueHolm < backtest::kLevel; }
bool patternBeatsChance(const OutputTest& t) { return t.patternPValueHolm < backtest::kLevel; }

// Which outputs beat chance, and whether the claimed run pattern shows.
std::string testVerdict(const BacktestResult& result, Language language) {
  const VerdictWords& words = kWords.in(language);
  if (result.shuffles == 0) return std::string(words.untested);
  const std::string beat = namesWhere(result, language, beatsChance);
  const std::string pattern = namesWhere(result, language, patternBeatsChance);
  const std::string level = levelText();
  return words.against(result.shuffles, counted(engine::kOutputs, words.numerals)) +
         (beat.empty() ? words.noneBeats(level) : words.someBeat(beat, level)) +
         (pattern.empty() ? std::string(words.patternNowhere) : words.patternIn(pattern));
}

}  // namespace

std::string_view recordOrderNote(const BacktestResult& result, Language language) {
  if (result.recordOrder == backtest::RecordOrder::OldestFirst) return "";
  return kWords.in(language).newestFirst;
}

std::string verdictSentence(const BacktestResult& result, Language language) {
  return moneySentence(result, language) + testVerdict(result, language);
}

std::vector<ReportRow> reportTable(const BacktestResult& result, Language language) {
  std::vector<ReportRow> rows = {kWords.in(language).heading};
  const bool tested = result.shuffles > 0;
  auto p = [&](double value) { return tested ? fixed(value, 3) : std::string("-"); };
  for (const engine::Output output : engine::kAllOutputs) {
    const auto i = static_cast<std::size_t>(output);
    const backtest::OutputSummary& o = result.summary.output(static_cast<int>(i));
    const OutputTest& t = result.tests[i];
    rows.push_back({std::string(outputName(output, language)), percentText(o.hitRate()),
                    percentText(o.chanceRate()),
                    fixed(static_cast<double>(t.excessThousandths) / 1000.0, 1), p(t.pValue),
                    p(t.pValueHolm), p(t.patternPValue)});
  }
  return rows;
}

}  // namespace quorvel::report
