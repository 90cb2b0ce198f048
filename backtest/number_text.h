#pragma once

#include <cstdio>
#include <string>

#include "quorvel/backtest/settings.h"

namespace quorvel::backtest {

// `value` with `decimals` digits after the point, as printf's "%.*f" writes it in the C locale.
inline std::string fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The mean list size of `calls` calls whose sizes add up to `sizeSum`, 0 for no call.
inline double meanSize(long long sizeSum, long long calls) {
  return static_cast<double>(sizeSum) / static_cast<double>(calls > 0 ? calls : 1);
}

// The level every test is held to, as the reports write it: "5%".
inline std::string levelText() { return fixed(100 * kLevel, 0) + "%"; }

}  // namespace quorvel::backtest
