#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "quorvel/game/game_names.h"
#include "quorvel/game/sum_play.h"

// A game as the program knows it: its names, its sum bet, its shipped record and the last period
// of the record its verdict was fixed on. Every figure that depends on the game is worked out
// from this value, so that a game is data, not a branch.
namespace quorvel::game {

struct Game {
  std::string_view id;            // as links, files and options name it: "3d"
  const GameNames* names;         // as players and records name it
  std::string_view englishName;   // "Welfare Lottery 3D"
  SumBet sumBet;
  std::string_view recordFile;    // the shipped record, under the data folder
  std::uint64_t verdictFixedThrough;  // the newest period of the record the verdict was fixed on
};

// The welfare lottery's 3D: its sum play (和数) costs 2 yuan a bet and pays a fixed prize for each
// sum, the game's current published prizes, as several public sources repeat them (a province or
// a year may differ). Each returns between 50 % and 55 % of its stake on average, as the straight
// bet's 1040 yuan for a one-in-a-thousand draw does.
inline constexpr Game kWelfare3D = [] {
  constexpr std::array<int, kSumValues / 2> kLowerHalf = {1040, 345, 172, 104, 69, 49, 37,
                                                          29,   23,  19,  16,  15, 15, 14};
  SumBet bet;
  bet.ticketYuan = 2;
  for (int sum = 0; sum <= kLargestSum; ++sum) {
    const auto at = static_cast<std::size_t>(sum);
    bet.stakeYuan[at] = 2;
    bet.prizeYuan[at] = kLowerHalf[static_cast<std::size_t>(sum <= kLargestSum / 2 ? sum : kLargestSum - sum)];
  }
  return Game{"3d", &kWelfare3DNames, "Welfare Lottery 3D", bet, "draws-2004-2026.csv", 2026173};
}();

// The sports lottery's 排列三: its sum play (直选和值) on sum s buys every straight number whose
// digits sum to s, 2 yuan each, so it costs 2 × ways(s) yuan; when the draw's sum is s exactly one
// of them is the draw and pays the straight prize, 1,040 yuan. Every sum returns 52 % of its
// stake on average.
inline constexpr Game kSportsPick3 = [] {
  SumBet bet;
  bet.ticketYuan = 2;
  for (int sum = 0; sum <= kLargestSum; ++sum) {
    const auto at = static_cast<std::size_t>(sum);
    bet.stakeYuan[at] = bet.ticketYuan * ways(sum);
    bet.prizeYuan[at] = 1040;
  }
  return Game{"pl3", &kSportsPick3Names, "Sports Lottery Pick 3", bet, "pl3-draws-2004-2026.csv",
              2026197};
}();

// Every game the program knows, the first the one it starts with.
inline constexpr std::array<const Game*, 2> kGames = {&kWelfare3D, &kSportsPick3};

// The game `id` names ("3d"); nothing for no game.
constexpr const Game* gameById(std::string_view id) {
  for (const Game* game : kGames) {
    if (game->id == id) return game;
  }
  return nullptr;
}

// The game `id` names, or the first game for an id that names none (as an option's or a link's
// default).
constexpr const Game& gameOrFirst(std::string_view id) {
  const Game* game = gameById(id);
  return game ? *game : *kGames.front();
}

// Another game that `text` (a file name, a header) names, when it does not name `game` too.
constexpr std::optional<std::string_view> otherGameNamed(std::string_view text, const Game& game) {
  if (names(*game.names, text)) return std::nullopt;
  for (const Game* other : kGames) {
    if (other != &game && names(*other->names, text)) return other->names->name;
  }
  return std::nullopt;
}

}  // namespace quorvel::game
