#pragma once

#include <string>

#include "quorvel/backtest/backtest.h"
#include "quorvel/words/language.h"

// The backtest's answer, which a player reads before anything else: whether the forecast works,
// in plain words, and one figure, what came back of every yuan staked on the list players follow
// most, beside what blind bets return and the hit rate at which it would break even.
namespace quorvel::report {

using words::Language;

// The list whose money the answer gives: the key range, the one a player most often follows.
inline constexpr engine::Output kHeadlineList = engine::Output::KeyRange;

struct Answer {
  std::string headline;       // "No evidence that it works."
  std::string figure;         // "0.54 yuan"
  std::string figureCaption;  // what the figure is
  std::string beside;         // blind bets, the shuffles, and the break-even hit rate
};
Answer answerOf(const backtest::BacktestResult& result, Language language);

}  // namespace quorvel::report
