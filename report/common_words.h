#pragma once

#include <string>

#include "quorvel/backtest/settings.h"
#include "quorvel/words/language.h"
#include "quorvel/words/number_text.h"
#include "quorvel/words/output_names.h"

// The words' names the report texts use unqualified, and the level as the reports write it.
namespace quorvel::report {

using words::Catalogue;
using words::counted;
using words::fixed;
using words::kChineseNumerals;
using words::kEnglishNumerals;
using words::Language;
using words::Numerals;
using words::outputKey;
using words::outputName;
using words::significant;

// The mean list size of `calls` calls whose sizes add up to `sizeSum`, 0 for no call.
inline double meanSize(long long sizeSum, long long calls) {
  return static_cast<double>(sizeSum) / static_cast<double>(calls > 0 ? calls : 1);
}

// The level every test is held to, as the reports write it: "5%".
inline std::string levelText() { return fixed(100 * backtest::kLevel, 0) + "%"; }

}  // namespace quorvel::report
