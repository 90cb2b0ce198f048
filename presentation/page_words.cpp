#include "quorvel/presentation/page_words.h"

#include <array>

namespace quorvel::presentation {

using words::Catalogue;
using words::Word;
namespace {

constexpr std::array<Word, 5> kChinese = {{
    {"gamesLabel", "彩种：每个彩种有自己的格子、记录和检验"},
    {"downloadLink", "下载单文件版 (quorvel.html)"},
    {"keptNote", "格子里的号码只保存在这台设备的浏览器里，下次打开还在；不会发送到任何地方。"},
    {"notKeptNote", "这个浏览器不让网页保存东西，格子里的号码下次打开就没有了。"},
    {"forget", "清空并忘掉"},
}};

constexpr std::array<Word, 5> kEnglish = {{
    {"gamesLabel", "Game: each keeps its own grid, record and test"},
    {"downloadLink", "Download the one-file edition (quorvel.html)"},
    {"keptNote",
     "The grid's numbers are kept in this browser on this device for your next visit, and are "
     "sent nowhere."},
    {"notKeptNote",
     "This browser does not let the page keep anything: the grid's numbers will be gone on your "
     "next visit."},
    {"forget", "Clear and forget them"},
}};

constexpr Catalogue<std::array<Word, 5>> kWords{kEnglish, kChinese};

}  // namespace

WordList pageWords(Language language) { return kWords.in(language); }

constexpr std::string_view kLoadFailureEnglish =
    "The forecast could not start: this browser does not run WebAssembly, or something stops "
    "it, or a file of the page did not arrive. Reload the page; if that does not help, open it "
    "in the system's browser (in WeChat: the menu ⋯ in the top corner, then Open in browser) "
    "or update the browser.";
constexpr std::string_view kLoadFailureChinese =
    "预测无法启动：这个浏览器不能运行 WebAssembly，或者被设置拦住了，或者网页的文件没有下载完"
    "整。请刷新页面；若仍不行，请用手机自带的浏览器打开（在微信里：点右上角的 ⋯，选“在浏览器"
    "打开”），或者更新浏览器。";

std::string_view loadFailure(Language language) {
  constexpr Catalogue<std::string_view> kLoadFailure{kLoadFailureEnglish, kLoadFailureChinese};
  return kLoadFailure.in(language);
}

}  // namespace quorvel::presentation
