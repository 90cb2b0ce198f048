#include "quorvel/backtest/forecast_fingerprint.h"

#include <gtest/gtest.h>

#include "quorvel/backtest/later_draws.h"
#include "quorvel/engine/prediction_pass.h"

namespace quorvel::backtest {
namespace {

// The verdict and the test on later draws were fixed on the forecast as it was through period
// the game's verdictFixedThrough. When this fails the rules changed: the verdict must be fixed anew on a
// record through a new period, and the period and the fingerprint written together.
TEST(ForecastFingerprint, TheForecastIsTheOneTheVerdictWasFixedOn) {
  EXPECT_EQ(forecastFingerprint(), kVerdictForecast)
      << "the forecast changed, but the period its verdict was fixed through did not";
}

// The fingerprint sees any change of what an output says on one grid of the set, or of where a
// pass stops, and nothing else moves it.
TEST(ForecastFingerprint, ChangesWithAnyOutputOnAnyGrid) {
  const auto pass = [](const engine::PlainGrid& cells) { return engine::runPredictionPass(cells); };
  EXPECT_EQ(forecastFingerprint(pass), forecastFingerprint());
  int seen = 0;
  const auto changedOnce = [&](engine::Output output) {
    return [&seen, output](const engine::PlainGrid& cells) {
      engine::PassResult result = engine::runPredictionPass(cells);
      if (++seen != 5000) return result;
      engine::PassResult changed;  // the same outputs but one
      for (const engine::Output o : engine::kWriteOrder) {
        if (engine::isList(o)) {
          changed.writeList(o, o == output ? result.list(o) ^ 1U : result.list(o));
        } else {
          changed.writeVerdict(o, o == output ? engine::Verdict::NoCall : result.verdict(o));
        }
      }
      return changed;
    };
  };
  for (const engine::Output output : {engine::Output::ExtremeNumbers, engine::Output::OddEven}) {
    seen = 0;
    EXPECT_NE(forecastFingerprint(changedOnce(output)), forecastFingerprint())
        << static_cast<int>(output);
  }
}

}  // namespace
}  // namespace quorvel::backtest
