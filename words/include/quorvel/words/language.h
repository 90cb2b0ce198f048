#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorvel::words {

// The languages of the words around the forecast: the window's form is always Chinese, as its
// captions are; the page's other parts and the reports speak the player's language.
enum class Language : std::uint8_t { English, Chinese };

// The window speaks Chinese, as its captions do, and so do the command line's forecast outputs.
inline constexpr Language kWindowLanguage = Language::Chinese;

// Words live in catalogues: each module keeps, for each language, a struct of its texts and of
// functions for the sentences that take values. `in` picks the player's; it is the one place that
// tells the languages apart, so no other code branches on the language.
template <class Words>
struct Catalogue {
  const Words& english;
  const Words& chinese;
  constexpr const Words& in(Language language) const {
    return language == Language::Chinese ? chinese : english;
  }
};

// A fixed word of the page, by the key that names it there (data-word="run" on its element).
// The page's catalogues are lists of them, so that one binding hands any of them to the page.
struct Word {
  std::string_view key, text;
};
using WordList = std::span<const Word>;

// The language for a browser whose first language tag is `tag` ("zh-CN", "zh-Hant", "en-US"):
// Chinese for any Chinese, English for every other.
Language languageForTag(std::string_view tag);

// The language for a command line whose locale is `locale` (LC_ALL, LC_MESSAGES or LANG, the
// first set): Chinese for one that begins with "zh" ("zh_CN.UTF-8"), English for any other.
Language languageForLocale(std::string_view locale);

// The language's tag for a document: "zh-CN", "en".
std::string_view languageTag(Language language);

}  // namespace quorvel::words
