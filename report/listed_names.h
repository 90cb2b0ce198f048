#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvel/words/language.h"

namespace quorvel::report {

// Names joined as a sentence lists them: 「甲」、「乙」、「丙」 in Chinese (甲、乙、丙 for names
// that are already phrases, not `quoted`); in English with `between` between them and
// `beforeLast` before the last, "a, b and c" by default.
inline std::string listedNames(const std::vector<std::string>& names,
                               words::Language language, std::string_view between = ", ",
                               std::string_view beforeLast = " and ", bool quoted = true) {
  struct ListWords {
    std::string_view open, close;  // around each name
    std::string_view separator;    // between any two; "" where the caller's words join them
  };
  static constexpr ListWords kEnglish{"", "", ""}, kChinese{"「", "」", "、"};
  static constexpr words::Catalogue<ListWords> kWords{kEnglish, kChinese};
  const ListWords& words = kWords.in(language);
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) {
      text += !words.separator.empty() ? words.separator
              : i + 1 == names.size()  ? beforeLast
                                       : between;
    }
    text += quoted ? std::string(words.open) + names[i] + std::string(words.close) : names[i];
  }
  return text;
}

}  // namespace quorvel::report
