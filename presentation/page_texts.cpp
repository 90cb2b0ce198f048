#include "quorvel/presentation/page_texts.h"

namespace quorvel::presentation {

const PageTexts& pageTexts(Language language) {
  static constexpr PageTexts kChinese{
      "下载单文件版 (quorvel.html)",
      "格子里的号码只保存在这台设备的浏览器里，下次打开还在；别的什么都不保存。", "清空并忘掉"};
  static constexpr PageTexts kEnglish{
      "Download the one-file edition (quorvel.html)",
      "The grid's numbers are kept in this browser on this device for your next visit; nothing "
      "else is kept.",
      "Clear and forget them"};
  return language == Language::Chinese ? kChinese : kEnglish;
}

}  // namespace quorvel::presentation
