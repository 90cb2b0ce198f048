#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "quorvel/game/game.h"

namespace quorvel::cli {

// Adds --game ID to `app`: one of the games the program knows ("3d", the default, or "pl3"),
// which prices the forecast's bets and, for a record, names whose record it is. `id` holds the
// choice; gameOf turns it into the game. Another option of a game (`name`, described by
// `description`) starts empty, for no choice.
inline CLI::Option* addGameOption(CLI::App& app, std::string& id,
                                  const std::string& name = "--game",
                                  const std::string& description = "") {
  std::string ids, names;
  for (const game::Game* known : game::kGames) {
    ids += (ids.empty() ? "" : ", ") + std::string(known->id);
    names += (names.empty() ? "" : ", ") + std::string(known->id) + " for " +
             std::string(known->englishName);
  }
  const bool main = description.empty();
  id = main ? std::string(game::kGames.front()->id) : "";
  return app
      .add_option(name, id,
                  main ? "The game whose draws these are and whose bets price the lists: " +
                             names + " (default " + id + ")"
                       : description + ": " + ids)
      ->check([ids](const std::string& given) {
        return game::gameById(given) ? std::string() : "the game must be one of " + ids;
      });
}

// The game an --game option chose.
inline const game::Game& gameOf(const std::string& id) { return game::gameOrFirst(id); }

// The first game the program knows that `id` does not name: the other of two.
inline const game::Game& otherGame(const std::string& id) {
  for (const game::Game* known : game::kGames) {
    if (known->id != id) return *known;
  }
  return *game::kGames.front();
}

}  // namespace quorvel::cli
