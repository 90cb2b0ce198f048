#include "quorvel/report/power_texts.h"

#include "number_text.h"
#include "quorvel/presentation/money_text.h"
#include "quorvel/report/output_names.h"

namespace quorvel::report {
namespace {

using presentation::percentText;

struct PowerWords {
  std::string_view per;  // between the level and the outputs it is divided among: "5% / 8"
  std::string (*heading)(const std::string& level);
  std::string (*note)(const std::string& level);
  PowerRow columns;
};

const PowerWords kEnglish{
    " / ",
    [](const std::string& level) {
      return "the smallest edge the test would catch four times in five (at " + level +
             "); the record rules out anything larger";
    },
    [](const std::string& level) {
      return "No significant result is not the same as no edge. This table gives the smallest "
             "edge a record this long would show: with an edge that large the permutation test, "
             "at " +
             level +
             ", would catch the output four times in five, so the record rules out anything "
             "larger. (The hit count is taken as binomial, in its normal approximation; a list's "
             "return rate raises every sum's chance in the same proportion.)";
    },
    {"output", "calls", "chance", "detectable hit rate", "rules out an edge larger than (points)",
     "return rate at that edge"}};

const PowerWords kChinese{
    " ÷ ",
    [](const std::string& level) {
      return "检验能看出的最小优势（五次能抓住四次，水平 " + level + "）";
    },
    [](const std::string& level) {
      return "“没有显著结果”不等于“没有优势”。这张表给出这份记录长度下能看出的最小优势："
             "预测若真有这么大的优势，置换检验在 " +
             level +
             " 的水平上五次能抓住四次，所以记录排除了比它更大的优势。"
             "（命中次数按二项分布的正态近似计算；号码范围的返还率按每个和值的机会同比提高计算。）";
    },
    {"输出", "次数", "运气", "能看出的命中率", "能排除的优势（百分点）", "那时的返还率"}};

const Catalogue<PowerWords> kWords{kEnglish, kChinese};

// The level each output of the backtest is held to: "5% / 8", "5% ÷ 8".
std::string outputLevelText(Language language) {
  return levelText() + std::string(kWords.in(language).per) + std::to_string(engine::kOutputs);
}

}  // namespace

std::vector<PowerRow> powerTable(const backtest::BacktestResult& result, Language language) {
  std::vector<PowerRow> rows = {kWords.in(language).columns};
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const backtest::OutputSummary& o = result.summary.output(static_cast<int>(i));
    const backtest::Power& power = result.power[i];
    rows.push_back({std::string(outputName(engine::kAllOutputs[i], language)),
                    std::to_string(o.calls), percentText(o.chanceRate()),
                    percentText(power.detectableRate), fixed(power.edgePoints, 1),
                    power.returnRate ? percentText(*power.returnRate) : "-"});
  }
  return rows;
}

std::string powerHeading(Language language) {
  return kWords.in(language).heading(outputLevelText(language));
}

std::string powerNote(Language language) {
  return kWords.in(language).note(outputLevelText(language));
}

}  // namespace quorvel::report
