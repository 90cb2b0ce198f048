#pragma once

#include <emscripten/bind.h>

#include <cstdint>
#include <string>

// The backtest's settings as the page holds them once they are checked: one value that crosses
// to the workers and back unchanged, the seed a BigInt, so that nothing reads them again.
namespace quorvel::web {

struct SettingsValue {
  std::uint64_t seed = 0;
  std::uint32_t shuffles = 0;
  std::string game;  // the id of the game whose record is tested and whose bets price it
};

// Binds SettingsValue as a plain object { seed, shuffles, game }, once in each module.
inline void bindSettingsValue() {
  emscripten::value_object<SettingsValue>("SettingsValue")
      .field("seed", &SettingsValue::seed)
      .field("shuffles", &SettingsValue::shuffles)
      .field("game", &SettingsValue::game);
}

}  // namespace quorvel::web
