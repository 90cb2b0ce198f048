#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "quorvel/backtest/problem.h"

// What a backtest can be asked, its limits and its defaults: every front end takes its settings
// through readSettings, so that the command line and the page accept and refuse the same.
namespace quorvel::backtest {

// The level every claim of the backtest is held to, the claims of one family adjusted together.
inline constexpr double kLevel = 0.05;

// The fewest draws a backtest replays: three for the first grid and one to score it.
inline constexpr std::uint64_t kMinimumDraws = 4;

inline constexpr std::uint64_t kMaxShuffles = 1'000'000;
inline constexpr std::uint64_t kRecordShuffles = 1000;  // the default for a record of draws
inline constexpr std::uint64_t kDefaultSeed = 1;
inline constexpr std::uint64_t kMaxSimulatedDraws = 1'000'000'000;
inline constexpr unsigned kMaxThreads = 1024;

// The settings as a front end was given them, as text; nothing for a setting not given.
struct SettingTexts {
  std::optional<std::string> shuffles, seed, simulated, threads;
};

// The settings, read and checked. Without --simulate, shuffles defaults to kRecordShuffles;
// simulated draws default to none, since their order is random by construction.
struct Settings {
  std::uint64_t shuffles = kRecordShuffles;
  std::uint64_t seed = kDefaultSeed;
  std::optional<std::uint64_t> simulated;
  unsigned threads = 1;
};

struct SettingsRead {
  Settings settings;
  std::optional<Problem> problem;  // the first setting that is not valid, if one is not
};

// Reads the settings: each a whole number in plain decimal digits, within its limits. Settings
// not given take their defaults, and `threads` defaults to `defaultThreads`.
SettingsRead readSettings(const SettingTexts& texts, unsigned defaultThreads = 1);

}  // namespace quorvel::backtest
