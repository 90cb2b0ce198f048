#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quorvel/engine/pass_result.h"
#include "quorvel/game/game.h"
#include "quorvel/game/odds.h"
#include "quorvel/words/language.h"

// What following the forecast costs, in words, at the forecast: each list's chance of holding the
// next sum and the money of one bet on each of its sums in the game's sum bet; each verdict's
// chance.
namespace quorvel::presentation {

using words::Language;

// "随机落入 63.2%　投注 9 注 18 元　平均返还 9.47 元（亏 8.53 元）", or in English "holds the
// next sum by chance 63.2% · 9 bets, 18 yuan · returns 9.47 yuan on average (loses 8.53)". The
// loss is the stake less the return as shown, so that the two add up to the stake.
std::string listOddsLine(const game::ListOdds& odds, Language language);

// The same line as its parts, which a narrow screen may put on lines of their own.
std::vector<std::string> listOddsParts(const game::ListOdds& odds, Language language);

// "随机落入 50.0%", "right by chance 50.0%"; "" for NoCall.
std::string verdictOddsLine(engine::Verdict verdict, Language language);

// The heading over the odds of a forecast: "按这次预测下注：每注 2 元，按和值玩法的奖金".
std::string oddsTitle(const game::Game& game, Language language);

// The odds line of an output a pass wrote; "" for one it did not write and for a verdict that
// calls nothing.
std::vector<std::string> oddsParts(const engine::PassResult& result, engine::Output output,
                                   const game::Game& game, Language language);

// Odds parts joined as one line: a wide space between them in Chinese, a dot in English.
std::string oddsLine(const std::vector<std::string>& parts, Language language);

}  // namespace quorvel::presentation
