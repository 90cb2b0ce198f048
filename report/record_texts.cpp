#include "quorvel/report/record_texts.h"

#include <algorithm>
#include <array>

#include "common_words.h"
#include "quorvel/words/number_text.h"
#include "quorvel/words/output_names.h"

namespace quorvel::report {
namespace {

struct RecordWords {
  std::string (*status)(const std::string& draws, const std::string& last);
  std::string (*gap)(const backtest::Gap& gap);
  std::string (*merged)(std::uint64_t added, std::uint64_t confirmed);
  std::string (*disagreement)(const backtest::Disagreement& d);
  std::string (*moreDisagree)(std::size_t periods);  // beyond the ones named
  std::string_view unchanged;
  std::string (*replaced)(std::size_t periods);
  std::string (*keptOriginal)(std::size_t periods);
  std::string (*typed)(const backtest::Draw& draw);
  std::string (*corrected)(const backtest::Draw& draw);
  std::string (*takenBack)(const backtest::Draw& draw);
  std::string (*damaged)(const std::string& reason);
  std::vector<std::string> heading;  // before the outputs' names
  std::string (*listMoney)(std::string_view list);
  TotalsRow totals;
  std::string_view between;  // between two sentences
};

std::string number(std::uint64_t value) { return std::to_string(value); }

std::string digitsOf(const backtest::Draw& d) {
  return number(static_cast<std::uint64_t>(d.digits[0])) + ' ' +
         number(static_cast<std::uint64_t>(d.digits[1])) + ' ' +
         number(static_cast<std::uint64_t>(d.digits[2]));
}

const RecordWords kEnglish{
    [](const std::string& draws, const std::string& last) {
      return "The record holds " + draws + (draws == "1" ? " draw" : " draws") +
             "; its last is period " + last + ".";
    },
    [](const backtest::Gap& g) {
      return " It misses " + number(g.missing) + (g.missing == 1 ? " draw" : " draws") +
             " between periods " + number(g.after) + " and " + number(g.before) +
             ", which the forecast is never replayed across.";
    },
    [](std::uint64_t added, std::uint64_t confirmed) {
      const std::string joined = "Added " + number(added) + (added == 1 ? " draw" : " draws");
      if (confirmed == 0) return joined + ".";
      return joined + "; " + number(confirmed) + " already in the record agreed.";
    },
    [](const backtest::Disagreement& d) {
      return "Period " + number(d.kept.period) + " is " + digitsOf(d.kept) + " in the record but " +
             digitsOf(d.given) + " in the draws given. ";
    },
    [](std::size_t periods) {
      return number(periods) + (periods == 1 ? " more period disagrees" : " more periods disagree") +
             " as well. ";
    },
    "Nothing was changed: which is right?",
    [](std::size_t periods) {
      return " The draws given replaced the record's for " + number(periods) +
             (periods == 1 ? " period." : " periods.");
    },
    [](std::size_t periods) {
      return " The record's own draws were kept for the " + number(periods) +
             (periods == 1 ? " period that disagreed." : " periods that disagreed.");
    },
    [](const backtest::Draw& d) {
      return "Period " + number(d.period) + ", " + digitsOf(d) +
             ", joined the record; type over the top row and Predict again to correct it.";
    },
    [](const backtest::Draw& d) {
      return "Period " + number(d.period) + " was corrected to " + digitsOf(d) + ".";
    },
    [](const backtest::Draw& d) {
      return "Period " + number(d.period) + ", " + digitsOf(d) + ", was taken out of the record.";
    },
    [](const std::string& reason) {
      return "The record kept on this device could not be read (" + reason +
             "); it was set aside and is not used. The shipped record is used instead.";
    },
    {"period", "draw", "sum"},
    [](std::string_view list) { return std::string(list) + ": staked / returned (yuan)"; },
    {"output", "calls", "hits", "by chance", "staked", "returned", "blind bets return"},
    " "};

const RecordWords kChinese{
    [](const std::string& draws, const std::string& last) {
      return "记录共 " + draws + " 期，最后一期是第 " + last + " 期。";
    },
    [](const backtest::Gap& g) {
      return "第 " + number(g.after) + " 期和第 " + number(g.before) + " 期之间缺 " +
             number(g.missing) + " 期，预测不会跨过缺期重演。";
    },
    [](std::uint64_t added, std::uint64_t confirmed) {
      const std::string joined = "加入了 " + number(added) + " 期";
      if (confirmed == 0) return joined + "。";
      return joined + "；另有 " + number(confirmed) + " 期记录里已有，且一致。";
    },
    [](const backtest::Disagreement& d) {
      return "第 " + number(d.kept.period) + " 期记录里是 " + digitsOf(d.kept) + "，新给的是 " +
             digitsOf(d.given) + "。";
    },
    [](std::size_t periods) { return "另有 " + number(periods) + " 期也不一样。"; },
    "什么都没有改：哪个对？",
    [](std::size_t periods) { return "已按新给的号码改了 " + number(periods) + " 期。"; },
    [](std::size_t periods) { return "不一样的 " + number(periods) + " 期保留了原来的号码。"; },
    [](const backtest::Draw& d) {
      return "第 " + number(d.period) + " 期 " + digitsOf(d) +
             " 已记入记录；若填错了，改好最上面一行再按“预 测”即可更正。";
    },
    [](const backtest::Draw& d) {
      return "第 " + number(d.period) + " 期已更正为 " + digitsOf(d) + "。";
    },
    [](const backtest::Draw& d) {
      return "第 " + number(d.period) + " 期 " + digitsOf(d) + " 已从记录里拿掉。";
    },
    [](const std::string& reason) {
      return "这台设备上保存的记录读不出（" + reason + "），已另放一边不再使用，现用自带的记录。";
    },
    {"期号", "开奖", "和值"},
    [](std::string_view list) { return std::string(list) + "：投注 / 返还（元）"; },
    {"输出", "判断", "命中", "运气应中", "投注", "返还", "盲选平均返还"},
    ""};

const Catalogue<RecordWords> kWords{kEnglish, kChinese};

}  // namespace

std::string recordStatus(const backtest::Record& record, Language language) {
  const RecordWords& words = kWords.in(language);
  if (record.draws.empty()) return words.status("0", "-");
  std::string text = words.status(number(record.draws.size()), number(record.draws.back().period));
  for (const backtest::Gap& gap : record.notes.gaps) text += words.gap(gap);
  return text;
}

std::string mergeStatus(const backtest::Merged& merged, Language language) {
  const RecordWords& words = kWords.in(language);
  const std::string record = std::string(words.between) + recordStatus(merged.record, language);
  if (merged.disagreements.empty()) return words.merged(merged.added, merged.confirmed) + record;
  if (merged.preferredGiven || merged.keptKept) {
    return words.merged(merged.added, merged.confirmed) +
           (merged.preferredGiven ? words.replaced : words.keptOriginal)(
               merged.disagreements.size()) +
           record;
  }
  // The first few named, the rest counted: a long disagreement must not bury the choice.
  constexpr std::size_t kNamed = 5;
  std::string text;
  const std::size_t named = std::min(kNamed, merged.disagreements.size());
  for (std::size_t i = 0; i < named; ++i) text += words.disagreement(merged.disagreements[i]);
  if (merged.disagreements.size() > named) {
    text += words.moreDisagree(merged.disagreements.size() - named);
  }
  return text + std::string(words.unchanged) + record;
}

std::string typedStatus(const backtest::Typed& typed, const backtest::Record& record,
                        Language language) {
  const RecordWords& words = kWords.in(language);
  const std::string after = std::string(words.between) + recordStatus(record, language);
  switch (typed.kind) {
    case backtest::TypedKind::Next:
      return words.typed(typed.draw) + after;
    case backtest::TypedKind::Corrected:
      return words.corrected(typed.draw) + after;
    case backtest::TypedKind::TakenBack:
      return words.takenBack(typed.draw) + after;
    case backtest::TypedKind::None:
    case backtest::TypedKind::Known:
    case backtest::TypedKind::Disagrees:  // said as a disagreement, the player to choose
      break;
  }
  return "";
}

std::string damagedStatus(const std::string& reason, Language language) {
  return kWords.in(language).damaged(reason);
}

std::vector<std::string> recentHeading(Language language) {
  const RecordWords& words = kWords.in(language);
  std::vector<std::string> heading = words.heading;
  for (const engine::Output output : engine::kAllOutputs) {
    heading.emplace_back(outputName(output, language));
  }
  for (int i = 0; i < engine::kLists; ++i) {
    heading.push_back(
        words.listMoney(outputName(engine::kAllOutputs[static_cast<std::size_t>(i)], language)));
  }
  return heading;
}

std::vector<TotalsRow> recentTotals(const backtest::Summary& summary, Language language) {
  std::vector<TotalsRow> rows = {kWords.in(language).totals};
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const backtest::OutputSummary& o = summary.output(static_cast<int>(i));
    TotalsRow row = {std::string(outputName(engine::kAllOutputs[i], language)),
                     number(static_cast<std::uint64_t>(o.calls)),
                     number(static_cast<std::uint64_t>(o.hits)),
                     fixed(static_cast<double>(o.chanceThousandths) / 1000.0, 1),
                     "",
                     "",
                     ""};
    if (engine::isList(engine::kAllOutputs[i])) {
      row[4] = words::groupedNumber(o.money.stakeYuan);
      row[5] = words::groupedNumber(o.money.returnedYuan);
      row[6] = words::yuanText(o.expectedReturnMills);
    }
    rows.push_back(row);
  }
  return rows;
}

std::string recentMoney(const backtest::Call& call) {
  return std::to_string(call.stakeYuan) + " / " + std::to_string(call.returnedMills / 1000);
}

}  // namespace quorvel::report
