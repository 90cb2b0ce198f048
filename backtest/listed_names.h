#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvel/presentation/language.h"

namespace quorvel::backtest {

// Names joined as a sentence lists them: 「甲」、「乙」、「丙」 in Chinese; in English with
// `between` between them and `beforeLast` before the last, "a, b and c" by default.
inline std::string listedNames(const std::vector<std::string>& names,
                               presentation::Language language, std::string_view between = ", ",
                               std::string_view beforeLast = " and ") {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (language == presentation::Language::Chinese) {
      text += (i == 0 ? "「" : "、「") + names[i] + "」";
    } else {
      text += i == 0 ? std::string_view() : i + 1 == names.size() ? beforeLast : between;
      text += names[i];
    }
  }
  return text;
}

}  // namespace quorvel::backtest
