#include "quorvel/report/power_texts.h"

#include "common_words.h"
#include "quorvel/backtest/effects.h"
#include "quorvel/words/number_text.h"
#include "quorvel/words/output_names.h"

namespace quorvel::report {
namespace {

using words::percentText;

struct PowerWords {
  std::string_view heading;
  std::string_view note;
  PowerRow columns;
};

const PowerWords kEnglish{
    "how large an edge the test of all the claims would catch four times in five, beside the "
    "largest edge the record itself allows (its 95% upper bound), in points above the shuffles' "
    "hit rate",
    "No evidence of an edge is not evidence of none. An edge as large as the last column but one "
    "would be caught four times in five by the test of all the claims together; the record itself "
    "allows an edge up to its upper bound. An edge smaller than both could hide in a record this "
    "long. Caught means shown, as the verdict shows a claim: its adjusted p below the level by "
    "the Monte Carlo margin. (The hit count is taken as binomial, in its normal approximation; a "
    "list's return rate raises every sum's chance in the same proportion.)",
    {"output", "calls", "shuffles' rate", "hit rate", "edge", "upper bound", "caught 4 in 5 at",
     "return rate there"}};

const PowerWords kChinese{
    "把所有说法放在一起检验时，多大的优势五次能抓住四次；以及这份记录本身允许的最大"
    "优势（95% 上限）。单位是比打乱后的命中率高出的百分点",
    "没有证据表明有优势，并不等于证明没有优势。预测若真有倒数第二栏那么大的优势，把所有说法放在一"
    "起的检验五次能抓住四次；而这份记录本身最多允许“上限”那么大的优势。比两者都小的优势，在这么长"
    "的记录里可能藏得住。“抓住”指判为成立，和结论判定一项说法成立的标准相同：校正后的 p 低于水平线，"
    "并留出蒙特卡洛误差的余量。（命中次数按二项分布的正态近似计算；号码范围的返还率按每个和值的机会同比"
    "提高计算。）",
    {"输出", "次数", "打乱后的命中率", "命中率", "优势", "上限", "五次抓住四次的优势",
     "那时的返还率"}};

const Catalogue<PowerWords> kWords{kEnglish, kChinese};

std::string points(double fraction) { return fixed(100 * fraction, 1); }

}  // namespace

std::vector<PowerRow> powerTable(const backtest::BacktestResult& result, Language language) {
  std::vector<PowerRow> rows = {kWords.in(language).columns};
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const backtest::OutputSummary& o = result.summary.output(static_cast<int>(i));
    const backtest::OutputTest& test = result.tests[i];
    const backtest::Power& power = result.power[i];
    rows.push_back({std::string(outputName(engine::kAllOutputs[i], language)),
                    std::to_string(o.calls), percentText(test.nullHitRate),
                    percentText(o.hitRate()), points(backtest::edge(o, test)),
                    points(backtest::edgeUpper95(o, test)), fixed(power.edgePoints, 1),
                    power.returnRate ? percentText(*power.returnRate) : "-"});
  }
  return rows;
}

std::string powerHeading(Language language) { return std::string(kWords.in(language).heading); }

std::string powerNote(Language language) { return std::string(kWords.in(language).note); }

}  // namespace quorvel::report
