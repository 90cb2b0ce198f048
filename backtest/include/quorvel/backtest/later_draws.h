#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <optional>

#include "quorvel/game/game.h"
#include "quorvel/backtest/record.h"
#include "quorvel/backtest/replay.h"
#include "quorvel/backtest/settings.h"

// The test on later draws: the forecast scored on draws that did not exist when its verdict was
// fixed. Its rules have not changed since, so these draws are a test it cannot have been fitted
// to. The evidence is an e-value, which a player may watch after every draw and stop at any time
// without raising the chance of a false alarm above the level: under fair draws the chance that
// the family's e-value ever reaches 1/level is at most the level (Ville's inequality).
namespace quorvel::backtest {

// The forecast the verdict was fixed on, as forecastFingerprint() (forecast_fingerprint.h) gives
// it: a change to the rules changes it, and a test fails until the verdict is fixed anew on a
// record through a new period and both are written here together.
inline constexpr std::uint64_t kVerdictForecast = 0x54A3C6F5ED3D0E7AULL;

// An output's bets on its calls: betting the fraction j/kBets (j = 1 ... kBets) of its wealth on
// each call at fair odds, its wealth multiplies by 1 + (j/kBets)(h - c), h 1 for a hit and c the
// call's chance. Each is a fair bet when the draws are fair; the e-value is their average.
inline constexpr int kBets = 10;

// The evidence that shows a claim: the family's e-value reaching 1/kLevel, an output's alone
// reaching kOutputs/kLevel (the family shared among its eight).
inline constexpr double kFamilyEvidence = 1 / kLevel;
inline constexpr double kOutputEvidence = engine::kOutputs / kLevel;

struct LaterOutput {
  long long calls = 0, hits = 0;
  double expectedHits = 0;           // the chances of its calls, added up
  std::array<double, kBets> wealth;  // each bet's wealth, from 1
  LaterOutput() { wealth.fill(1); }

  void add(const Call& call);
  double eValue() const;
  bool shown() const { return eValue() >= kOutputEvidence; }
};

struct LaterDraws {
  std::uint64_t since = 0;  // the game's last period of the record the verdict was fixed on
  long long draws = 0;  // the draws after `since` that were forecast
  std::array<LaterOutput, engine::kOutputs> outputs;

  void add(const Replayed& pass);
  double eValue() const;  // the mean of the outputs' e-values
  bool shown() const { return eValue() >= kFamilyEvidence; }
};

// Whether a period is one the test on later draws scores: after the period `game`'s verdict was
// fixed through, written yyyyNNN.
bool isLaterDraw(std::uint64_t period, const game::Game& game);

// Whether a record (oldest first) is one whose later draws can be scored: enough draws to replay,
// and a newest draw that is a later one.
bool hasLaterDraws(std::span<const Draw> record, const game::Game& game);

// About how many draws the family's e-value would take to reach kFamilyEvidence, on average,
// were an output's hit rate `edge` above its average chance `chance`, with a call on
// `callsPerDraw` of the draws: the e-value must then reach kOutputEvidence on that output alone,
// and the best of its bets grows by exp(g) a call on average. Nothing for no edge.
std::optional<double> drawsToShow(double chance, double edge, double callsPerDraw);

}  // namespace quorvel::backtest
