#include "quorvel/presentation/odds.h"

#include <utility>

#include "quorvel/engine/verdict.h"
#include "quorvel/game/sum_play.h"
#include "quorvel/presentation/money_text.h"

namespace quorvel::presentation {

ListOdds listOdds(engine::SumSet list) {
  ListOdds odds;
  for (int sum = 0; sum <= game::kLargestSum; ++sum) {
    if (!engine::contains(list, sum)) continue;
    odds.chanceThousandths += game::ways(sum);
    odds.bets += 1;
    odds.expectedReturnMills += game::expectedReturnMills(sum);
  }
  odds.stakeYuan = odds.bets * game::kStakeYuan;
  return odds;
}

std::optional<int> verdictChanceThousandths(engine::Verdict verdict) {
  if (verdict == engine::Verdict::NoCall) return std::nullopt;
  int chance = 0;
  for (int sum = 0; sum <= game::kLargestSum; ++sum) {
    if (engine::verdictHolds(verdict, sum)) chance += game::ways(sum);
  }
  return chance;
}

namespace {

// How a line joins its parts: a wide space between Chinese phrases, a dot between English ones.
std::string joined(const std::vector<std::string>& parts, Language language) {
  std::string line;
  for (const std::string& part : parts) {
    if (!line.empty()) line += language == Language::Chinese ? "　" : " · ";
    line += part;
  }
  return line;
}

}  // namespace

std::vector<std::string> listOddsParts(const ListOdds& odds, Language language) {
  const std::int64_t returnFen = roundedToFen(odds.expectedReturnMills);
  const std::string chance = percentText(static_cast<std::int64_t>(odds.chanceThousandths));
  const std::string bets = std::to_string(odds.bets), stake = std::to_string(odds.stakeYuan);
  const std::string returned = yuanText(returnFen * 10);
  const std::string loss = yuanText((odds.stakeYuan * 100 - returnFen) * 10);
  if (language == Language::Chinese) {
    return {"随机落入 " + chance, "投注 " + bets + " 注 " + stake + " 元",
            "平均返还 " + returned + " 元（亏 " + loss + " 元）"};
  }
  return {"holds the next sum by chance " + chance,
          bets + (odds.bets == 1 ? " bet, " : " bets, ") + stake + " yuan",
          "returns " + returned + " yuan on average (loses " + loss + ")"};
}

std::string listOddsLine(const ListOdds& odds, Language language) {
  return joined(listOddsParts(odds, language), language);
}

std::string verdictOddsLine(engine::Verdict verdict, Language language) {
  const std::optional<int> chance = verdictChanceThousandths(verdict);
  if (!chance) return "";
  const std::string percent = percentText(static_cast<std::int64_t>(*chance));
  return language == Language::Chinese ? "随机落入 " + percent : "right by chance " + percent;
}

std::string oddsTitle(Language language) {
  const std::string stake = std::to_string(game::kStakeYuan);
  if (language == Language::Chinese)
    return "按这次预测下注：每注 " + stake + " 元，按和值玩法的奖金";
  return "Betting on this forecast: " + stake + " yuan a bet, at the sum play's prizes";
}

std::vector<std::string> oddsParts(const engine::PassResult& result, engine::Output output,
                                   Language language) {
  if (!result.isWritten(output)) return {};
  if (engine::isList(output)) return listOddsParts(listOdds(result.list(output)), language);
  std::string verdict = verdictOddsLine(result.verdict(output), language);
  if (verdict.empty()) return {};
  return {std::move(verdict)};
}

std::string oddsLine(const engine::PassResult& result, engine::Output output, Language language) {
  return joined(oddsParts(result, output, language), language);
}

}  // namespace quorvel::presentation
