#include "quorvel/backtest/forecast_fingerprint.h"

#include <random>
#include <string>

#include "quorvel/engine/prediction_pass.h"

namespace quorvel::backtest {
namespace {

constexpr int kDrawGrids = 8192, kAnyGrids = 2048;
constexpr std::uint64_t kGridSeed = 20260173;
constexpr std::uint64_t kOffset = 0xCBF29CE484222325ULL, kPrime = 0x100000001B3ULL;

void hash(std::uint64_t& h, const std::string& bytes) {
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= kPrime;
  }
  h ^= 0xFF;  // ends each text, so that "1 2" + "3" differs from "1" + "2 3"
  h *= kPrime;
}

}  // namespace

std::uint64_t forecastFingerprint(const Pass& pass) {
  std::mt19937_64 random(kGridSeed);
  std::uint64_t h = kOffset;
  for (int g = 0; g < kDrawGrids + kAnyGrids; ++g) {
    engine::PlainGrid cells{};
    for (std::size_t row = 0; row < static_cast<std::size_t>(engine::kGridPeriods); ++row) {
      std::uint16_t sum = 0;
      for (std::size_t k = 0; k < 3; ++k) {
        const auto value = static_cast<std::uint16_t>(random() % (g < kDrawGrids ? 10 : 100));
        cells[4 * row + k] = value;
        sum = static_cast<std::uint16_t>(sum + value);
      }
      cells[4 * row + 3] = g < kDrawGrids ? sum : static_cast<std::uint16_t>(random() % 100);
    }
    const engine::PassResult result = pass(cells);
    for (const engine::Output output : engine::kAllOutputs) hash(h, result.text(output));
    hash(h, std::to_string(result.written) + "/" +
                std::to_string(static_cast<int>(result.failure)));
  }
  return h;
}

std::uint64_t forecastFingerprint() {
  return forecastFingerprint(
      [](const engine::PlainGrid& cells) { return engine::runPredictionPass(cells); });
}

}  // namespace quorvel::backtest
