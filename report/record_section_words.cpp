#include "quorvel/report/record_section_words.h"

#include <array>

namespace quorvel::report {
namespace {

using words::Word;

constexpr std::array<Word, 39> kChineseWords = {{
    {"recordTitle", "开奖记录"},
    {"recordAbout",
     "预测和检验用的开奖记录保存在这台设备上，起初是自带的记录。把新的开奖粘贴"
     "进来（任何常见格式，可以从网页或表格里直接复制），或选一个文件；也可以在“开奖了”之后把新开出"
     "的号码填在最上面一行，按“预 测”就记下这一期。"},
    {"pasteLabel", "粘贴开奖号码，每行一期"},
    {"recordAdd", "加入记录"},
    {"addFile", "从文件加入…"},
    {"recordExport", "下载整份记录（CSV）"},
    {"recordForget", "改回自带的记录"},
    {"forgetQuestion", "丢掉这台设备上加入的所有开奖，改回自带的记录吗？"},
    {"useGiven", "用新给的号码"},
    {"keepKept", "保留原来的"},
    {"recentMore", "再往前看"},
    {"recentTitle", "最近的开奖与当时的预测"},
    {"recentLabel", "最近每一期的开奖和用它之前三期做的预测"},
    {"totalsLabel", "这几期合起来与运气相比"},
    {"trendTitle", "走势图（每个数字旁边都有它的机会）"},
    {"trendLabel", "走势图：每期开出的号码和每个号码的遗漏"},
    {"trendFiguresLabel", "每个号码的出现次数和遗漏，与运气相比"},
    {"strategiesRun", "检验走势图提示的打法"},
    {"strategiesLabel", "追冷、追热、跟上期的检验"},
    {"laterTitle", "结论定下之后的开奖"},
    {"laterLabel", "结论定下之后各项输出的成绩"},
    {"notStored",
     "这台设备不让保存（存储已满、被清空或被禁止）：加入的开奖只在这次打开时有效，关掉就没了。"},
    {"copyHint", "这里不让下载文件：请全选下面的文字，复制后保存。"},
    {"stored", "已保存在这台设备上。"},
    {"forgotten", "已改回自带的记录。"},
    {"nothingPasted", "没有粘贴任何开奖。"},
    {"pastedName", "粘贴的文字"},
    {"storageCleared",
     "这台设备上保存的开奖记录已被清除（浏览器或微信等应用可能会清理网页的数据），现用自带的记录。"
     "若下载过整份记录，从文件加入就能找回；另放一边的记录也在下面。"},
    {"changedElsewhere", "这份记录刚在另一个打开的页面里改过，这里已跟上。"},
    {"undo", "撤销上一步"},
    {"undone", "已撤销上一步，记录回到了改之前的样子。"},
    {"staleWrite", "这份记录刚在另一个打开的页面里改过：已按最新的记录重做这一步。"},
    {"setAsideTitle", "另放一边的记录"},
    {"setAsideDownload", "下载"},
    {"setAsideUse", "用这一份"},
    {"setAsideFailed", "存储已满，读不出的记录没能另放一边：它留在原处，没有删掉。"},
    {"setAsideDropped", "为腾出地方，删掉了最早另放一边的记录。"},
    {"persistGranted", "浏览器答应一直保留这份记录，不会为腾地方清掉它。"},
    {"persistRefused", "浏览器没有答应一直保留这份记录（空间紧张时可能清掉）：请不时下载整份记录。"},
}};

constexpr std::array<Word, 39> kEnglishWords = {{
    {"recordTitle", "The record of draws"},
    {"recordAbout",
     "The record the forecast and the test use is kept on this device, starting as the shipped "
     "one. Paste new draws here (in any common form, copied straight from a "
     "web page or a spreadsheet) or choose a file; or, after the draw shift, type the new draw "
     "into the top row and Predict records it."},
    {"pasteLabel", "Paste draws, one a line"},
    {"recordAdd", "Add to the record"},
    {"addFile", "Add from a file…"},
    {"recordExport", "Download the whole record (CSV)"},
    {"recordForget", "Back to the shipped record"},
    {"forgetQuestion", "Forget every draw added on this device and go back to the shipped record?"},
    {"useGiven", "Use the new draws"},
    {"keepKept", "Keep the record's"},
    {"recentMore", "Earlier draws"},
    {"recentTitle", "The recent draws and what was forecast for them"},
    {"recentLabel", "Each recent draw beside the forecast from the three before it"},
    {"totalsLabel", "These draws together, against chance"},
    {"trendTitle", "The trend chart (走势图), with chance beside every figure"},
    {"trendLabel", "The trend chart: each period's drawn value and every value's gap"},
    {"trendFiguresLabel", "Each value's count and gaps beside chance's"},
    {"strategiesRun", "Test the strategies the chart suggests"},
    {"strategiesLabel", "The test of chasing the overdue, the hot and the last"},
    {"laterTitle", "The draws since the verdict was fixed"},
    {"laterLabel", "Each output on the draws since the verdict was fixed"},
    {"notStored",
     "This device does not let the page keep anything (storage full, cleared or refused): "
     "draws added last only while the page is open."},
    {"copyHint", "Downloads are blocked here: select the text below, copy it and save it."},
    {"stored", "Kept on this device."},
    {"forgotten", "Back to the shipped record."},
    {"nothingPasted", "Nothing was pasted."},
    {"pastedName", "the pasted text"},
    {"storageCleared",
     "The record kept on this device was cleared (the browser, or an app such as WeChat, may "
     "clear a page's data); the shipped record is used. A downloaded copy of the whole record "
     "brings it back (add it from its file), and any record set aside is below."},
    {"changedElsewhere", "The record was just changed in another open page; this one follows it."},
    {"undo", "Undo the last change"},
    {"undone", "The last change was undone: the record is as it was before it."},
    {"staleWrite",
     "The record was just changed in another open page: this step was done again on the newest "
     "record."},
    {"setAsideTitle", "Records set aside"},
    {"setAsideDownload", "Download"},
    {"setAsideUse", "Use this one"},
    {"setAsideFailed",
     "Storage is full, so the unreadable record could not be set aside: it stays where it was, "
     "not deleted."},
    {"setAsideDropped", "To make room, the oldest record set aside was deleted."},
    {"persistGranted", "The browser agreed to keep this record, and will not clear it for room."},
    {"persistRefused",
     "The browser did not agree to keep this record for good (it may clear it when space is "
     "short): download the whole record now and then."},
}};

}  // namespace

WordList recordSectionWords(Language language) {
  return language == Language::Chinese ? WordList(kChineseWords) : WordList(kEnglishWords);
}

}  // namespace quorvel::report
