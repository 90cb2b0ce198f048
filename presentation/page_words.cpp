#include "quorvel/presentation/page_words.h"

#include <array>

namespace quorvel::presentation {
namespace {

constexpr std::array<Word, 4> kChinese = {{
    {"downloadLink", "下载单文件版 (quorvel.html)"},
    {"keptNote", "格子里的号码只保存在这台设备的浏览器里，下次打开还在；别的什么都不保存。"},
    {"notKeptNote", "这个浏览器不让网页保存东西，格子里的号码下次打开就没有了。"},
    {"forget", "清空并忘掉"},
}};

constexpr std::array<Word, 4> kEnglish = {{
    {"downloadLink", "Download the one-file edition (quorvel.html)"},
    {"keptNote",
     "The grid's numbers are kept in this browser on this device for your next visit; nothing "
     "else is kept."},
    {"notKeptNote",
     "This browser does not let the page keep anything: the grid's numbers will be gone on your "
     "next visit."},
    {"forget", "Clear and forget them"},
}};

constexpr Catalogue<std::array<Word, 4>> kWords{kEnglish, kChinese};

}  // namespace

WordList pageWords(Language language) { return kWords.in(language); }

}  // namespace quorvel::presentation
