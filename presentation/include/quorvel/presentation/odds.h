#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quorvel/engine/pass_result.h"
#include "quorvel/words/language.h"

// What following the forecast costs, at the forecast: each list's chance of holding the next sum
// and the money of one bet on each of its sums in the sum play; each verdict's chance.
namespace quorvel::presentation {

using words::Language;

struct ListOdds {
  int chanceThousandths = 0;             // the draws of the thousand whose sum it holds
  int bets = 0;                          // one a sum
  int stakeYuan = 0;                     // what the bets cost
  std::int64_t expectedReturnMills = 0;  // their average return, in thousandths of a yuan
};
ListOdds listOdds(engine::SumSet list);

// The draws of the thousand in the class a verdict calls; nothing for NoCall, which calls none.
std::optional<int> verdictChanceThousandths(engine::Verdict verdict);

// "随机落入 63.2%　投注 9 注 18 元　平均返还 9.47 元（亏 8.53 元）", or in English "holds the
// next sum by chance 63.2% · 9 bets, 18 yuan · returns 9.47 yuan on average (loses 8.53)". The
// loss is the stake less the return as shown, so that the two add up to the stake.
std::string listOddsLine(const ListOdds& odds, Language language);

// The same line as its parts, which a narrow screen may put on lines of their own.
std::vector<std::string> listOddsParts(const ListOdds& odds, Language language);

// "随机落入 50.0%", "right by chance 50.0%"; "" for NoCall.
std::string verdictOddsLine(engine::Verdict verdict, Language language);

// The heading over the odds of a forecast: "按这次预测下注：每注 2 元，按和值玩法的奖金".
std::string oddsTitle(Language language);

// The odds line of an output a pass wrote; "" for one it did not write and for a verdict that
// calls nothing.
std::string oddsLine(const engine::PassResult& result, engine::Output output, Language language);
std::vector<std::string> oddsParts(const engine::PassResult& result, engine::Output output,
                                   Language language);

}  // namespace quorvel::presentation
