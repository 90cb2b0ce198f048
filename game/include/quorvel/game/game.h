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
  return Game{"3d", &kThisGame, "Welfare Lottery 3D", bet, "draws-2004-2026.csv", 2026173};
}();

// Every game the program knows, the first the one it starts with.
inline constexpr std::array<const Game*, 1> kGames = {&kWelfare3D};

// The game `id` names ("3d"); nothing for no game.
constexpr const Game* gameById(std::string_view id) {
  for (const Game* game : kGames) {
    if (game->id == id) return game;
  }
  return nullptr;
}

}  // namespace quorvel::game
