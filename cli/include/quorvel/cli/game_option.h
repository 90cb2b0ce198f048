#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "quorvel/game/game.h"

namespace quorvel::cli {

// Adds --game ID to `app`: one of the games the program knows ("3d", the default, or "pl3"),
// which prices the forecast's bets and, for a record, names whose record it is. `id` holds the
// choice; gameOf turns it into the game.
inline CLI::Option* addGameOption(CLI::App& app, std::string& id) {
  std::string ids, names;
  for (const game::Game* known : game::kGames) {
    ids += (ids.empty() ? "" : ", ") + std::string(known->id);
    names += (names.empty() ? "" : ", ") + std::string(known->id) + " for " +
             std::string(known->englishName);
  }
  id = std::string(game::kGames.front()->id);
  return app
      .add_option("--game", id,
                   "The game whose draws these are and whose bets price the lists: " + names +
                       " (default " + id + ")")
      ->check([ids](const std::string& given) {
        return game::gameById(given) ? std::string() : "the game must be one of " + ids;
      });
}

// The game an --game option chose.
inline const game::Game& gameOf(const std::string& id) {
  const game::Game* chosen = game::gameById(id);
  return chosen ? *chosen : *game::kGames.front();
}

}  // namespace quorvel::cli
