#pragma once

#include <cstdint>
#include <string_view>

namespace quorvel::presentation {

// The languages of the words around the forecast: the window's form is always Chinese, as its
// captions are; the page's other parts and the reports speak the player's language.
enum class Language : std::uint8_t { English, Chinese };

// The language for a browser whose first language tag is `tag` ("zh-CN", "zh-Hant", "en-US"):
// Chinese for any Chinese, English for every other.
Language languageForTag(std::string_view tag);

// The language's tag for a document: "zh-CN", "en".
std::string_view languageTag(Language language);

}  // namespace quorvel::presentation
