#include "quorvel/backtest/later_draws.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quorvel::backtest {

namespace {

// The fraction of its wealth that bet j stakes on each call.
constexpr double fraction(std::size_t j) {
  return static_cast<double>(j + 1) / static_cast<double>(kBets);
}

}  // namespace

void LaterOutput::add(const Call& call) {
  if (!call.made) return;
  ++calls;
  hits += call.hit;
  expectedHits += call.chance();
  const double h = call.hit ? 1 : 0;
  for (std::size_t j = 0; j < wealth.size(); ++j)
    wealth[j] *= 1 + fraction(j) * (h - call.chance());
}

double LaterOutput::eValue() const {
  return std::accumulate(wealth.begin(), wealth.end(), 0.0) / static_cast<double>(kBets);
}

void LaterDraws::add(const Replayed& pass) {
  ++draws;
  for (std::size_t i = 0; i < outputs.size(); ++i) outputs[i].add(pass.calls[i]);
}

double LaterDraws::eValue() const {
  double sum = 0;
  for (const LaterOutput& output : outputs) sum += output.eValue();
  return sum / static_cast<double>(outputs.size());
}

bool isLaterDraw(std::uint64_t period, const game::Game& game) {
  return period > game.verdictFixedThrough && periodYear(period) != 0;
}

bool hasLaterDraws(std::span<const Draw> record, const game::Game& game) {
  return record.size() >= kMinimumDraws && isLaterDraw(record.back().period, game);
}

std::optional<double> drawsToShow(double chance, double edge, double callsPerDraw) {
  if (edge <= 0 || chance <= 0 || chance >= 1 || callsPerDraw <= 0) return std::nullopt;
  const double p = std::min(chance + edge, 1.0);
  double growth = 0;  // the best bet's average growth of the log of its wealth, a call
  for (std::size_t j = 0; j < kBets; ++j) {
    const double f = fraction(j);
    growth = std::max(growth, p * std::log1p(f * (1 - chance)) + (1 - p) * std::log1p(-f * chance));
  }
  if (growth <= 0) return std::nullopt;
  // The e-value is at least the best bet's wealth over kBets.
  return std::log(kOutputEvidence * kBets) / growth / callsPerDraw;
}

}  // namespace quorvel::backtest
