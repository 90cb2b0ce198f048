#include "quorvel/presentation/language.h"

namespace quorvel::presentation {

Language languageForTag(std::string_view tag) {
  const bool chinese = tag.size() >= 2 && (tag[0] == 'z' || tag[0] == 'Z') &&
                       (tag[1] == 'h' || tag[1] == 'H') && (tag.size() == 2 || tag[2] == '-');
  return chinese ? Language::Chinese : Language::English;
}

std::string_view languageTag(Language language) {
  return language == Language::Chinese ? "zh-CN" : "en";
}

}  // namespace quorvel::presentation
