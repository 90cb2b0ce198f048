#include "quorvel/words/language.h"

namespace quorvel::words {
namespace {

constexpr std::string_view kEnglishTag = "en", kChineseTag = "zh-CN";
constexpr Catalogue<std::string_view> kTags{kEnglishTag, kChineseTag};

Language chineseIf(bool chinese) { return chinese ? Language::Chinese : Language::English; }

}  // namespace

Language languageForTag(std::string_view tag) {
  return chineseIf(tag.size() >= 2 && (tag[0] == 'z' || tag[0] == 'Z') &&
                   (tag[1] == 'h' || tag[1] == 'H') && (tag.size() == 2 || tag[2] == '-'));
}

Language languageForLocale(std::string_view locale) { return chineseIf(locale.starts_with("zh")); }

std::string_view languageTag(Language language) { return kTags.in(language); }

}  // namespace quorvel::words
