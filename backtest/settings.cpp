#include "quorvel/backtest/settings.h"

#include <charconv>

namespace quorvel::backtest {
namespace {

// A whole number in plain decimal digits within min...max, or nothing.
std::optional<std::uint64_t> wholeNumber(const std::string& text, std::uint64_t min,
                                         std::uint64_t max) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < min || value > max) return std::nullopt;
  return value;
}

// Reads one setting into `value` when it was given; the problem when it is not valid.
std::optional<Problem> read(const std::optional<std::string>& text, Fault fault, std::uint64_t min,
                            std::uint64_t max, std::uint64_t& value) {
  if (!text) return std::nullopt;
  const std::optional<std::uint64_t> number = wholeNumber(*text, min, max);
  if (!number) return Problem{fault, 0, 0, min, max, *text};
  value = *number;
  return std::nullopt;
}

}  // namespace

SettingsRead readSettings(const SettingTexts& texts, unsigned defaultThreads) {
  SettingsRead out;
  Settings& s = out.settings;
  std::uint64_t simulated = 0, threads = defaultThreads;
  const std::optional<Problem> problems[] = {
      read(texts.simulated, Fault::Simulated, kMinimumDraws, kMaxSimulatedDraws, simulated),
      read(texts.seed, Fault::Seed, 0, UINT64_MAX, s.seed),
      read(texts.shuffles, Fault::Shuffles, 0, kMaxShuffles, s.shuffles),
      read(texts.threads, Fault::Threads, 1, kMaxThreads, threads)};
  for (const std::optional<Problem>& problem : problems) {
    if (problem && !out.problem) out.problem = problem;
  }
  if (texts.simulated && !out.problem) s.simulated = simulated;
  if (s.simulated && !texts.shuffles) s.shuffles = 0;
  s.threads = static_cast<unsigned>(threads);
  return out;
}

}  // namespace quorvel::backtest
