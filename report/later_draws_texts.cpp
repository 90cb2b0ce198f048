#include "quorvel/report/later_draws_texts.h"

#include <cmath>

#include "listed_names.h"
#include "common_words.h"
#include "quorvel/backtest/effects.h"
#include "quorvel/game/draw.h"
#include "quorvel/words/output_names.h"

namespace quorvel::report {
namespace {

using backtest::LaterDraws;

// How long an edge would take to show: the output, its edge in points, draws and years.
struct Wait {
  std::string output, points, draws, years;
};

struct LaterDrawsWords {
  std::string (*heading)(const std::string& since, long long draws);
  // The family's e-value reached kFamilyEvidence; the outputs that reached kOutputEvidence alone
  // ("" for none), each with its e-value.
  std::string (*shown)(const std::string& eValue, const std::string& outputs);
  std::string (*outputAt)(std::string_view output, bool list, const std::string& eValue);
  std::string (*notShown)(const std::string& eValue);
  std::string_view meaning;
  std::string (*wait)(const Wait& wait);
  LaterDrawsRow columns;
  std::string_view between;  // between two sentences
};

const std::string kFamily = fixed(backtest::kFamilyEvidence, 0);
const std::string kOutput = fixed(backtest::kOutputEvidence, 0);

const LaterDrawsWords kEnglish{
    [](const std::string& since, long long draws) {
      return "the " + std::to_string(draws) + " draws since period " + since +
             ", the last of the record the verdict was fixed on, scored as they came:";
    },
    [](const std::string& e, const std::string& outputs) {
      return "On the draws since, the hits went beyond what fair, independent draws allow: the "
             "e-value of the eight outputs together is " +
             e + ", at or above " + kFamily +
             ". Either the forecast has an edge or the draws are not fair (the audit tests the "
             "record for that)." +
             (outputs.empty() ? std::string()
                              : " At " + kOutput + " or more on its own: " + outputs + ".");
    },
    [](std::string_view output, bool list, const std::string& e) {
      return (list ? "the " : "") + std::string(output) + " (" + e + ")";
    },
    [](const std::string& e) {
      return "On the draws since, no evidence of an edge so far: the e-value of the eight outputs "
             "together is " +
             e + "; evidence at the " + levelText() + " level would be " + kFamily +
             " or more (one output alone: " + kOutput + ").";
    },
    "An e-value is what 1 yuan becomes, bet anew on every call at fair odds against chance: it "
    "may be checked after every draw, and the watching stopped at any time, without making a "
    "false alarm more likely.",
    [](const Wait& w) {
      return "An edge as large as the backtest could not exclude (" + w.points +
             " points for the " + w.output + ") would take about " + w.draws + " draws, about " +
             w.years + " years, to show here.";
    },
    {"output", "calls", "hits", "by chance", "e-value"},
    " "};

const LaterDrawsWords kChinese{
    [](const std::string& since, long long draws) {
      return "第 " + since + " 期（得出结论所用记录的最后一期）之后的 " + std::to_string(draws) +
             " 期新开奖，开一期算一期：";
    },
    [](const std::string& e, const std::string& outputs) {
      return "在这之后的开奖上，命中超出了公平、独立的开奖所能给的：八项输出合起来的 e 值是 " + e +
             "，达到了 " + kFamily +
             "。要么这个预测真有优势，要么开奖并不公平（这要检验记录本身是否随机）。" +
             (outputs.empty() ? std::string()
                              : "单项达到 " + kOutput + " 的有" + outputs + "。");
    },
    [](std::string_view output, bool, const std::string& e) {
      return "「" + std::string(output) + "」（" + e + "）";
    },
    [](const std::string& e) {
      return "在这之后的开奖上，目前没有证据表明这个预测比运气更准：八项输出合起来的 e 值是 " + e +
             "；要在 " + levelText() + " 的水平上算作证据，须达到 " + kFamily +
             "（单项输出须达到 " + kOutput + "）。";
    },
    "e 值就是从 1 元起、每次判断都按运气的公平赔率重新下注、如今变成的钱数：每开一期都可以看，随时"
    "不再看，也不会让误报更容易。",
    [](const Wait& w) {
      return "若真有回测排除不了的那么大的优势（「" + w.output + "」高出 " + w.points +
             " 个百分点），大约要 " + w.draws + " 期、约 " + w.years + " 年才能在这里显出来。";
    },
    {"输出", "判断", "命中", "运气应中", "e 值"},
    ""};

const Catalogue<LaterDrawsWords> kWords{kEnglish, kChinese};

// An e-value as the report writes it: two decimals, or three significant digits when large.
std::string eValueText(double value) {
  return value < 1000 ? fixed(value, 2) : significant(value, 3);
}

// A count rounded to two significant digits, as an estimate is said: 9184 gives "9200".
std::string about(double count) {
  const double scale = std::pow(10.0, std::max(0.0, std::floor(std::log10(count)) - 1));
  return fixed(std::round(count / scale) * scale, 0);
}

// The output whose edge, as large as the backtest could not exclude, would show soonest.
std::optional<Wait> soonest(const backtest::BacktestResult& result, Language language) {
  std::optional<double> best;
  std::size_t which = 0;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const backtest::OutputSummary& o = result.summary.output(static_cast<int>(i));
    if (o.calls == 0 || result.summary.replays() == 0) continue;
    const std::optional<double> draws = backtest::drawsToShow(
        o.chanceRate(), backtest::edgeUpper95(o, result.tests[i]),
        static_cast<double>(o.calls) / static_cast<double>(result.summary.replays()));
    if (draws && (!best || *draws < *best)) {
      best = draws;
      which = i;
    }
  }
  if (!best) return std::nullopt;
  const backtest::OutputSummary& o = result.summary.output(static_cast<int>(which));
  return Wait{std::string(outputName(engine::kAllOutputs[which], language)),
              fixed(100 * backtest::edgeUpper95(o, result.tests[which]), 1), about(*best),
              fixed(std::max(1.0, std::round(*best / game::kDrawsAYear)), 0)};
}

}  // namespace

std::string laterDrawsHeading(const LaterDraws& laterDraws, Language language) {
  return kWords.in(language).heading(std::to_string(laterDraws.since), laterDraws.draws);
}

std::vector<LaterDrawsRow> laterDrawsTable(const LaterDraws& laterDraws, Language language) {
  std::vector<LaterDrawsRow> rows = {kWords.in(language).columns};
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const backtest::LaterOutput& o = laterDraws.outputs[i];
    rows.push_back({std::string(outputName(engine::kAllOutputs[i], language)),
                    std::to_string(o.calls), std::to_string(o.hits), fixed(o.expectedHits, 1),
                    eValueText(o.eValue())});
  }
  return rows;
}

std::string laterDrawsSentence(const backtest::BacktestResult& result, Language language) {
  const LaterDrawsWords& words = kWords.in(language);
  const LaterDraws& p = *result.laterDraws;
  const std::string e = eValueText(p.eValue());
  const std::string between(words.between);
  std::vector<std::string> alone;
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    if (p.outputs[i].shown()) {
      const engine::Output output = engine::kAllOutputs[i];
      alone.push_back(words.outputAt(outputName(output, language), engine::isList(output),
                                     eValueText(p.outputs[i].eValue())));
    }
  }
  std::string text =
      (p.shown() ? words.shown(e, listedNames(alone, language, ", ", " and ", false))
                 : words.notShown(e)) +
      between + std::string(words.meaning);
  if (const std::optional<Wait> wait = soonest(result, language)) {
    text += between + words.wait(*wait);
  }
  return text;
}

}  // namespace quorvel::report
