#include "quorvel/presentation/page_texts.h"

namespace quorvel::presentation {

const PageTexts& pageTexts(Language language) {
  static constexpr PageTexts kChinese{"下载单文件版 (quorvel.html)"};
  static constexpr PageTexts kEnglish{"Download the one-file edition (quorvel.html)"};
  return language == Language::Chinese ? kChinese : kEnglish;
}

}  // namespace quorvel::presentation
