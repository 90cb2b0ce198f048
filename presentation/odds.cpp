#include "quorvel/presentation/odds.h"

#include <utility>

#include "quorvel/engine/verdict.h"
#include "quorvel/words/number_text.h"

namespace quorvel::presentation {

using words::Catalogue;
using words::percentText;
using words::roundedToFen;
using words::yuanText;

namespace {

struct OddsWords {
  std::string_view joint;  // between a line's parts: a wide space in Chinese, a dot in English
  std::string (*chance)(const std::string& percent);
  std::string (*bets)(int bets, int stakeYuan);
  std::string (*returned)(const std::string& returned, const std::string& loss);
  std::string (*verdictChance)(const std::string& percent);
  std::string (*title)(int stakeYuan);
};

constexpr OddsWords kChinese{
    "　",
    [](const std::string& percent) { return "随机落入 " + percent; },
    [](int bets, int stake) {
      return "投注 " + std::to_string(bets) + " 注 " + std::to_string(stake) + " 元";
    },
    [](const std::string& returned, const std::string& loss) {
      return "平均返还 " + returned + " 元（亏 " + loss + " 元）";
    },
    [](const std::string& percent) { return "随机落入 " + percent; },
    [](int stake) {
      return "按这次预测下注：每注 " + std::to_string(stake) + " 元，按和值玩法的奖金";
    }};

constexpr OddsWords kEnglish{
    " · ",
    [](const std::string& percent) { return "holds the next sum by chance " + percent; },
    [](int bets, int stake) {
      return std::to_string(bets) + (bets == 1 ? " bet, " : " bets, ") + std::to_string(stake) +
             " yuan";
    },
    [](const std::string& returned, const std::string& loss) {
      return "returns " + returned + " yuan on average (loses " + loss + ")";
    },
    [](const std::string& percent) { return "right by chance " + percent; },
    [](int stake) {
      return "Betting on this forecast: " + std::to_string(stake) +
             " yuan a bet, at the sum play's prizes";
    }};

constexpr Catalogue<OddsWords> kWords{kEnglish, kChinese};

std::string joined(const std::vector<std::string>& parts, Language language) {
  std::string line;
  for (const std::string& part : parts) {
    if (!line.empty()) line += kWords.in(language).joint;
    line += part;
  }
  return line;
}

}  // namespace

std::vector<std::string> listOddsParts(const game::ListOdds& odds, Language language) {
  const OddsWords& words = kWords.in(language);
  const std::int64_t returnFen = roundedToFen(odds.expectedReturnMills);
  const std::string returned = yuanText(returnFen * 10);
  const std::string loss = yuanText((odds.stakeYuan * 100 - returnFen) * 10);
  return {words.chance(percentText(static_cast<std::int64_t>(odds.chanceThousandths))),
          words.bets(odds.bets, odds.stakeYuan), words.returned(returned, loss)};
}

std::string listOddsLine(const game::ListOdds& odds, Language language) {
  return joined(listOddsParts(odds, language), language);
}

std::string verdictOddsLine(engine::Verdict verdict, Language language) {
  const std::optional<int> chance = game::verdictChanceThousandths(verdict);
  if (!chance) return "";
  return kWords.in(language).verdictChance(percentText(static_cast<std::int64_t>(*chance)));
}

std::string oddsTitle(const game::Game& game, Language language) {
  return kWords.in(language).title(game.sumBet.ticketYuan);
}

std::vector<std::string> oddsParts(const engine::PassResult& result, engine::Output output,
                                   const game::Game& game, Language language) {
  if (!result.isWritten(output)) return {};
  if (engine::isList(output))
    return listOddsParts(game::listOdds(result.list(output), game.sumBet), language);
  std::string verdict = verdictOddsLine(result.verdict(output), language);
  if (verdict.empty()) return {};
  return {std::move(verdict)};
}

std::string oddsLine(const std::vector<std::string>& parts, Language language) {
  return joined(parts, language);
}

}  // namespace quorvel::presentation
