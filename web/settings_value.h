#pragma once

#include <emscripten/bind.h>

#include <cstdint>

// The backtest's settings as the page holds them once they are checked: one value that crosses
// to the workers and back unchanged, the seed a BigInt, so that nothing reads them again.
namespace quorvel::web {

struct SettingsValue {
  std::uint64_t seed = 0;
  std::uint32_t shuffles = 0;
};

// Binds SettingsValue as a plain object { seed, shuffles }, once in each module.
inline void bindSettingsValue() {
  emscripten::value_object<SettingsValue>("SettingsValue")
      .field("seed", &SettingsValue::seed)
      .field("shuffles", &SettingsValue::shuffles);
}

}  // namespace quorvel::web
