#include "quorvel/report/section_texts.h"

#include "quorvel/game/game.h"

#include <array>

#include "common_words.h"

namespace quorvel::report {

using words::Word;

namespace {

constexpr std::array<Word, 28> kChineseWords = {{
    {"title", "这个预测灵吗？"},
    {"about",
     "这里把上面的预测放到真实的开奖记录上逐期重演：每一期都用它之前三期的号码来预测，再对照那一期"
     "真正开出的号码，并和同样大小的盲选比一比。然后把记录的先后顺序打乱许多次，每次再算一遍。预测"
     "只看"
     "号码的先后顺序，所以它若真有门道，在真实的记录上就该明显比在打乱的记录上准。所有计算都在你的"
     "浏览器"
     "里完成，你选的文件不会发送到任何地方。"},
    {"run", "开始检验"},
    {"choose", "检验别的记录文件…"},
    {"shipped", "改回本机的记录"},
    {"format",
     "检验默认用这台设备上的开奖记录（见下面的“开奖记录”）；也可以选一个别的记录文件，或把它拖到这"
     "一栏"
     "里，它只用来检验，不会加入记录。格式与命令行相同：每行一期，期号、可有日期、三位数字（分开、"
     "连写"
     "如 358 "
     "或带引号）、可有和值，用逗号、制表符或空格分隔；可以有中文或英文的表头；最早或最新的一期在"
     "前都行。"},
    {"cancel", "取消"},
    {"busy", "正在检验：等这次检验结束，或先取消，再开始别的检验。"},
    {"openInBrowser",
     "在微信里打开的：点右上角的 ⋯，选“在浏览器打开”，用手机自带的浏览器更好用（能下载文件，"
     "保存的记录也不会被微信清掉）。"},
    {"dismiss", "知道了"},
    {"cancelled", "已取消检验。"},
    {"failed", "检验中途出错，请重试。"},
    {"unreadable", "没能取得这份记录，请检查网络或文件后重试。"},
    {"save", "保存报告（JSON）"},
    {"reproduce", "在 POSIX shell（如 bash、zsh）的命令行上得到同样的结果："},
    {"chartTitle", "三个号码范围的滚动命中率"},
    {"tableLabel", "各项输出的检验结果"},
    {"scrollHint", "表格较宽，可以左右滑动查看 →"},
    {"moneyLabel", "每期按号码范围下注的投注与返还"},
    {"audit", "检验这份记录是否随机"},
    {"auditLabel", "开奖记录的随机性检验"},
    {"powerLabel", "检验能抓住多大的优势"},
    {"evidence", "证据：每一项检验的结果"},
    {"claimsLabel", "各项说法放在一起的检验"},
    {"auditDetails", "每一项随机性检验"},
    {"together", "两个彩种的记录放在一起检验"},
    {"togetherTitle", "两份记录放在一起"},
    {"togetherLabel", "两份记录放在一起时各项说法的检验"},
}};

constexpr std::array<Word, 28> kEnglishWords = {{
    {"title", "Does this forecast work?"},
    {"about",
     "This replays the forecast above on the real record of the draws: each draw is forecast "
     "from the three before it and scored against what was drawn, beside blind picks of the same "
     "size. Then the order of the record is shuffled many times and the replay made again each "
     "time. The forecast reads nothing but the order of the draws, so if it worked it would do "
     "clearly better on the real record than on the shuffled ones. Everything runs in your "
     "browser; a file you choose is sent nowhere."},
    {"run", "Run the test"},
    {"choose", "Test another record file…"},
    {"shipped", "Back to this device's record"},
    {"format",
     "The test takes the record kept on this device (see The record of draws below); you can "
     "also choose another record file, or drop it on this section, to test it alone without "
     "adding it. The format is the command line's: a draw a line, its period, perhaps a date, its "
     "three digits (apart, together as 358, or quoted) and perhaps its sum, separated by commas, "
     "tabs or spaces; a header in English or Chinese may come first, and the record may run "
     "oldest or newest first."},
    {"cancel", "Cancel"},
    {"busy", "A test is running: wait for it to end, or cancel it, before starting another."},
    {"openInBrowser",
     "Opened in WeChat: tap the menu ⋯ in the top corner and choose Open in browser; the "
     "system's browser works better (it can download files, and WeChat does not clear what the "
     "page keeps)."},
    {"dismiss", "Got it"},
    {"cancelled", "The test was cancelled."},
    {"failed", "The test failed part way; please try again."},
    {"unreadable",
     "The record could not be loaded; check the connection or the file and try again."},
    {"save", "Save the report (JSON)"},
    {"reproduce", "The same result on a POSIX shell's command line (bash, zsh): "},
    {"chartTitle", "Rolling hit rate of the three lists"},
    {"tableLabel", "Each output's tests"},
    {"scrollHint", "The table is wider than the screen: swipe it sideways →"},
    {"moneyLabel", "What betting each list every period staked and returned"},
    {"audit", "Test the record itself for randomness"},
    {"auditLabel", "The record's test of randomness"},
    {"powerLabel", "How large an edge the test would catch"},
    {"evidence", "The evidence: every test's result"},
    {"claimsLabel", "The claims, tested together"},
    {"auditDetails", "Each test of randomness"},
    {"together", "Test both games' records together"},
    {"togetherTitle", "Both records together"},
    {"togetherLabel", "The claims tested on both records together"},
}};

constexpr Catalogue<std::array<Word, kChineseWords.size()>> kWords{kEnglishWords, kChineseWords};

struct SectionSentences {
  std::string (*record)(std::string_view name, const std::string& shuffles,
                        const std::string& seed);
  std::string (*progress)(const std::string& done, const std::string& total);
  std::string_view borderline;  // after the progress, while more shuffles than asked are replayed
  std::string (*took)(const std::string& seconds);
};

constexpr SectionSentences kChinese{
    [](std::string_view name, const std::string& shuffles, const std::string& seed) {
      return "记录：" + std::string(name) + "　打乱 " + shuffles + " 次，种子 " + seed;
    },
    [](const std::string& done, const std::string& total) {
      return "已打乱 " + done + " / " + total + " 次";
    },
    "（有一项说法目前处在边缘，正在多打乱一些）",
    [](const std::string& seconds) { return "（用时 " + seconds + " 秒）"; }};

constexpr SectionSentences kEnglish{
    [](std::string_view name, const std::string& shuffles, const std::string& seed) {
      return "Record: " + std::string(name) + ", " + shuffles + " shuffles, seed " + seed;
    },
    [](const std::string& done, const std::string& total) {
      return done + " of " + total + " shuffles replayed";
    },
    " (a claim is borderline so far, so more shuffles are being replayed)",
    [](const std::string& seconds) { return " (" + seconds + " s)"; }};

constexpr Catalogue<SectionSentences> kSentences{kEnglish, kChinese};

}  // namespace

WordList sectionWords(Language language) { return kWords.in(language); }

std::string recordLine(std::string_view name, std::uint64_t shuffles, std::uint64_t seed,
                       Language language) {
  return kSentences.in(language).record(name, std::to_string(shuffles), std::to_string(seed));
}

std::string progressLine(std::uint64_t done, std::uint64_t total, std::uint64_t asked,
                         Language language) {
  const SectionSentences& sentences = kSentences.in(language);
  return sentences.progress(std::to_string(done), std::to_string(total)) +
         std::string(total > asked ? sentences.borderline : "");
}

std::string tookText(double milliseconds, Language language) {
  return kSentences.in(language).took(fixed(milliseconds / 1000, 1));
}

std::string shellQuoted(std::string_view word) {
  constexpr std::string_view kPlain =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._/+-=:,@%";
  const bool plain = !word.empty() && word.find_first_not_of(kPlain) == std::string_view::npos;
  // A name that begins with "-" would be read as an option: it is a file here.
  const std::string path = word.starts_with('-') ? "./" + std::string(word) : std::string(word);
  if (plain) return path;
  std::string quoted = "'";
  for (const char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string commandLine(std::string_view record, std::uint64_t shuffles, std::uint64_t seed,
                        const game::Game& game) {
  const std::string chosen =
      &game == game::kGames.front() ? "" : " --game " + std::string(game.id);
  return "quorvel-backtest " + shellQuoted(record) + chosen + " --json --seed " +
         std::to_string(seed) + " --shuffles " + std::to_string(shuffles);
}

}  // namespace quorvel::report
