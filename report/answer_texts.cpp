#include "quorvel/report/answer_texts.h"

#include <algorithm>

#include "common_words.h"
#include "quorvel/backtest/effects.h"
#include "quorvel/words/number_text.h"
#include "quorvel/words/output_names.h"
#include "quorvel/report/verdict_texts.h"

namespace quorvel::report {
namespace {

using backtest::Standing;
using words::groupedNumber;
using words::percentText;

// What the answer's sentences are made of: the headline by what the test found, and the figure's
// words, with the list, amounts and rates in their texts.
struct AnswerWords {
  std::string_view untested, tooFew, noEvidence;
  std::string (*undecided)(const std::string& level);  // a claim is still on the line
  // Some claim is shown, chiefly `chief`; and what betting the list did: `paid` says whether it
  // returned its stake, `rate` what came back of every yuan.
  std::string (*shown)(const std::string& chief, std::string_view list, bool paid,
                       const std::string& rate);
  std::string (*figure)(const std::string& perYuan);
  std::string (*caption)(std::string_view list, std::uint64_t first, const std::string& staked,
                         const std::string& returned);
  std::string (*blind)(const std::string& perYuan);
  std::string (*shuffled)(const std::string& perYuan);
  std::string (*breakEven)(std::string_view list, const std::string& needed,
                           const std::string& held, bool impossible);
};

const AnswerWords kEnglish{
    "Not tested against chance: no shuffles were run.",
    "Too few draws or shuffles to tell.",
    "No evidence that it works.",
    [](const std::string& level) {
      return "Undecided: a claim is still on the " + level +
             " line after the most shuffles this run adds.";
    },
    [](const std::string& chief, std::string_view list, bool paid, const std::string& rate) {
      return "This record's order is not what chance gives, and it shows chiefly in " + chief +
             (paid ? "; betting the " + std::string(list) + " returned " + rate +
                         " yuan of every yuan staked."
                   : "; betting the " + std::string(list) + " still did not pay (" + rate +
                         " yuan of every yuan came back).");
    },
    [](const std::string& perYuan) { return perYuan + " yuan"; },
    [](std::string_view list, std::uint64_t first, const std::string& staked,
       const std::string& returned) {
      return "came back of every yuan staked on the " + std::string(list) +
             ", betting every sum of it every period since period " + std::to_string(first) + " (" +
             staked + " yuan staked, " + returned + " returned).";
    },
    [](const std::string& perYuan) {
      return "Blind bets of the same size return " + perYuan + " yuan";
    },
    [](const std::string& perYuan) {
      return ", the same bets on shuffled orders of this record " + perYuan;
    },
    [](std::string_view list, const std::string& needed, const std::string& held, bool impossible) {
      return ". To break even, if its hits rose evenly across its sums, the " + std::string(list) +
             " would have to hold the next sum " + needed + " of the time" +
             (impossible ? ", more than always" : "") + "; it held it " + held + ".";
    }};

const AnswerWords kChinese{
    "没有和运气比较：没有打乱记录。",
    "开奖或打乱的次数太少，看不出来。",
    "没有证据表明它灵。",
    [](const std::string& level) {
      return "未定：有一项说法打乱到本次最多的次数后仍在 " + level + " 的边上。";
    },
    [](const std::string& chief, std::string_view list, bool paid, const std::string& rate) {
      return "这份记录的先后顺序不像运气给出的，主要表现在" + chief +
             (paid ? "；按" + std::string(list) + "下注，每投注 1 元收回 " + rate + " 元。"
                   : "；但按" + std::string(list) + "下注照样不赚钱（每投注 1 元收回 " + rate +
                         " 元）。");
    },
    [](const std::string& perYuan) { return perYuan + " 元"; },
    [](std::string_view list, std::uint64_t first, const std::string& staked,
       const std::string& returned) {
      return "是每投注 1 元收回的钱：从第 " + std::to_string(first) + " 期起每期把" +
             std::string(list) + "的每个和值都买一注（共投注 " + staked + " 元，返还 " + returned +
             " 元）。";
    },
    [](const std::string& perYuan) { return "同样多的盲选收回 " + perYuan + " 元"; },
    [](const std::string& perYuan) { return "，打乱这份记录后同样的下注收回 " + perYuan + " 元"; },
    [](std::string_view list, const std::string& needed, const std::string& held, bool impossible) {
      return "。假如它多中的都均匀落在各个和值上，要不亏本，" + std::string(list) + "得有 " +
             needed + " 的时候猜中" +
             (impossible ? "（比每次都中还多，不可能）" : "") + "；实际猜中 " + held + "。";
    }};

const Catalogue<AnswerWords> kWords{kEnglish, kChinese};

std::string headline(const backtest::BacktestResult& result, Language language) {
  const AnswerWords& words = kWords.in(language);
  if (result.shuffles == 0) return std::string(words.untested);
  if (!result.canTell()) return std::string(words.tooFew);
  if (const std::optional<std::size_t> chief = backtest::chiefClaim(result.family)) {
    const backtest::OutputSummary& o = result.summary.output(static_cast<int>(kHeadlineList));
    return words.shown(claimName(backtest::kFamily[*chief], language),
                       outputName(kHeadlineList, language), o.money.rate() >= 1,
                       fixed(o.money.rate(), 2));
  }
  const bool open = std::any_of(result.family.claims.begin(), result.family.claims.end(),
                                [](const backtest::ClaimTest& c) {
                                  return c.standing == Standing::Undecided ||
                                         c.standing == Standing::Borderline;
                                });
  return open ? words.undecided(levelText()) : std::string(words.noEvidence);
}

}  // namespace

Answer answerOf(const backtest::BacktestResult& result, Language language) {
  const AnswerWords& words = kWords.in(language);
  const auto i = static_cast<std::size_t>(kHeadlineList);
  const backtest::OutputSummary& o = result.summary.output(static_cast<int>(i));
  const std::string_view list = outputName(kHeadlineList, language);
  Answer answer;
  answer.headline = headline(result, language);
  answer.figure = words.figure(fixed(o.money.rate(), 2));
  answer.figureCaption =
      words.caption(list, result.summary.firstPeriod(), groupedNumber(o.money.stakeYuan),
                    groupedNumber(o.money.returnedYuan));
  answer.beside = words.blind(fixed(o.expectedRate(), 2));
  if (result.shuffles > 0)
    answer.beside += words.shuffled(fixed(result.tests[i].nullReturnRate, 2));
  const double breakEven = backtest::breakEvenHitRate(o);
  answer.beside +=
      words.breakEven(list, percentText(breakEven), percentText(o.hitRate()), breakEven > 1);
  return answer;
}

}  // namespace quorvel::report
