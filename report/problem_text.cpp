#include "quorvel/report/problem_text.h"

#include <algorithm>
#include <array>

#include "common_words.h"
#include "quorvel/backtest/record_reader.h"

namespace quorvel::report {
namespace {

using backtest::Fault;
using backtest::Problem;

std::string number(std::uint64_t value) { return std::to_string(value); }

// A setting's text as a message quotes it: whole when short, else its beginning and "…".
std::string given(const std::string& text) {
  constexpr std::size_t kQuoted = 40;
  if (text.size() <= kQuoted) return text;
  std::size_t end = kQuoted;  // not inside a character
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end) + "…";
}

using Says = std::string (*)(const Problem&);

// A size in bytes as a player reads it, in whole megabytes (2^20 bytes): "64 MB".
std::string megabytes(std::uint64_t bytes) {
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  return number((bytes + kMegabyte / 2) / kMegabyte) + " MB";
}

// A draw that lost its leading zeros, as it should be: 35 gives "035".
std::string padded(const Problem& p) {
  const std::string digits = number(p.first);
  return std::string(3 - std::min<std::size_t>(3, digits.size()), '0') + digits;
}

// What a fault says, named by its fault: the catalogue lists every fault once, at its place.
struct Saying {
  Fault fault;
  Says says;
};
inline constexpr std::size_t kFaults = static_cast<std::size_t>(Fault::Repeated) + 1;

// Whether a catalogue names each fault at its own place, so that none is left out or swapped.
constexpr bool byFault(const std::array<Saying, kFaults>& sayings) {
  for (std::size_t f = 0; f < kFaults; ++f) {
    if (sayings[f].fault != static_cast<Fault>(f)) return false;
  }
  return true;
}

// What each fault says; a setting's limits are the problem's values.
struct ProblemWords {
  std::array<Saying, kFaults> sayings;
  // The problem after its place: at a line and column, or the whole source's.
  std::string (*placed)(std::string_view source, std::size_t line, std::size_t column,
                        const std::string& what);
  std::string (*unplaced)(std::string_view source, const std::string& what);
};

constexpr ProblemWords kEnglish{
    {{
        {Fault::Utf16,
         [](const Problem&) -> std::string {
           return "this looks like UTF-16 text; save the history as UTF-8";
         }},
        {Fault::NotText,
         [](const Problem&) -> std::string {
           return "this is not a text file: a CSV history is UTF-8 text";
         }},
        {Fault::LineTooLong,
         [](const Problem& p) { return "the line is longer than " + number(p.first) + " bytes"; }},
        {Fault::FieldCount,
         [](const Problem& p) {
           return "expected a period and its draw (3,5,8 or 358 or 3 5 8), perhaps a date between "
                  "and "
                  "the sum after, found " +
                  number(p.first) + (p.first == 1 ? " field" : " fields");
         }},
        {Fault::PeriodTooLarge,
         [](const Problem& p) {
           return "the period is too large; the largest is " + number(p.first);
         }},
        {Fault::PeriodNotANumber,
         [](const Problem&) -> std::string { return "the period is not a whole number"; }},
        {Fault::PeriodOutOfOrder,
         [](const Problem& p) {
           return "period " + number(p.first) + " does not follow period " + number(p.second);
         }},
        {Fault::PeriodNotBefore,
         [](const Problem& p) {
           return "period " + number(p.first) + " does not come before period " + number(p.second) +
                  " in a record newest first";
         }},
        {Fault::NotADigit,
         [](const Problem& p) { return "d" + number(p.first) + " is not a digit 0-9"; }},
        {Fault::WrongSum,
         [](const Problem& p) {
           return "the sum is not " + number(p.first) + ", the sum of the digits";
         }},
        {Fault::LostZero,
         [](const Problem& p) {
           return "the draw " + number(p.first) + " has " + number(p.second) +
                  (p.second == 1 ? " digit" : " digits") +
                  ": a number that lost its leading zeros? It would be " + padded(p) + "?";
         }},
        {Fault::NotTheSum,
         [](const Problem& p) {
           return "column " + number(p.first) + " (" + given(p.text) +
                  ") is not the draw's sum; if it is another column, such as the trial number, "
                  "name "
                  "the columns in a header (period,number,trial) and it is left out";
         }},
        {Fault::NoDrawColumn,
         [](const Problem& p) {
           return "the header names no column of the draw: number (or 开奖号码), or d1,d2,d3 (or "
                  "百位,十位,个位)" +
                  (p.text.empty()
                       ? std::string()
                       : ", and no draw was found under the columns it names " + given(p.text));
         }},
        {Fault::Conflict,
         [](const Problem& p) {
           return "period " + number(p.first) + " is on line " + number(p.second) +
                  " already, with another draw: which is right?";
         }},
        {Fault::TwoDraws,
         [](const Problem& p) {
           return "columns " + number(p.first) + " and " + number(p.second) + " (" + given(p.text) +
                  ") could each be the draw; name the columns in a header (period,number,trial or "
                  "期号,开奖号码,试机号) and the trial number is left out";
         }},
        {Fault::DateInDraw,
         [](const Problem& p) {
           return "column " + number(p.first) + " holds a date or time (" + given(p.text) +
                  "), where the first line of this shape has the draw";
         }},
        {Fault::PeriodPastYear,
         [](const Problem& p) {
           return "period " + number(p.first) + " would be draw " + number(p.second) +
                  " of its year, and a year holds at most " + number(backtest::kMostDrawsAYear);
         }},
        {Fault::PeriodAfterThisYear,
         [](const Problem& p) {
           return "period " + number(p.first) + " lies in a year after this one (" +
                  number(p.second) + ")";
         }},
        {Fault::PeriodMissing,
         [](const Problem& p) {
           return p.first == 1
                      ? std::string("this line has a period, and the lines before it had none")
                      : std::string("this line has no period, and the lines before it had one");
         }},
        {Fault::TooFewDraws,
         [](const Problem& p) {
           return "need at least " + counted(backtest::kMinimumDraws, kEnglishNumerals) +
                  " draws, found " + number(p.first);
         }},
        {Fault::RecordTooLarge,
         [](const Problem& p) {
           return "the record is larger than " + megabytes(p.first) +
                  ", far larger than any record of draws";
         }},
        {Fault::TooLargeForDevice,
         [](const Problem& p) {
           return "the record is larger than " + megabytes(p.first) +
                  ", more than a device with this little memory can test in the page; test it with "
                  "quorvel-backtest on a computer";
         }},
        {Fault::TooManyKept,
         [](const Problem& p) {
           return "a record kept on this device holds at most " + number(p.first) +
                  " draws; test a larger one from its file";
         }},
        {Fault::NoPeriodsToKeep,
         [](const Problem&) -> std::string {
           return "these draws have no periods, so they cannot join the record kept here (where "
                  "each draw goes would be a guess); test them from their file instead";
         }},
        {Fault::OtherGame,
         [](const Problem& p) {
           return "these draws disagree with the record on " + number(p.second) + " of the " +
                  number(p.first) +
                  " periods both hold: they look like another game's record, and nothing was "
                  "added";
         }},
        {Fault::OtherNumbering,
         [](const Problem& p) {
           return "these are the record's own draws numbered differently (period " +
                  number(p.first) + " here is period " + number(p.second) +
                  " in the record), and nothing was added";
         }},
        {Fault::OtherGameNamed,
         [](const Problem& p) {
           return "this is named as a record of " + p.text +
                  ", another game, and nothing was added: its draws are not this game's";
         }},
        {Fault::NoLatestThree,
         [](const Problem& p) {
           return "the forecast needs the record's newest three draws in a row, and it ends with " +
                  number(p.first) +
                  (p.second > 0 ? " after the gap before period " + number(p.second)
                                : std::string());
         }},
        {Fault::Shuffles,
         [](const Problem& p) {
           return given(p.text) + " is not a whole number of shuffles from " + number(p.first) +
                  " to " + number(p.second);
         }},
        {Fault::Seed,
         [](const Problem& p) {
           return given(p.text) + " is not a whole number from " + number(p.first) + " to " +
                  number(p.second);
         }},
        {Fault::Simulated,
         [](const Problem& p) {
           return given(p.text) + " is not a whole number of draws from " + number(p.first) +
                  " to " + number(p.second);
         }},
        {Fault::Threads,
         [](const Problem& p) {
           return given(p.text) + " is not a whole number of threads from " + number(p.first) +
                  " to " + number(p.second);
         }},
        {Fault::Repeated,
         [](const Problem& p) {
           return "given " + number(p.first) + " times (" + given(p.text) +
                  "); give it once. The default is used";
         }},
    }},
    [](std::string_view source, std::size_t line, std::size_t column, const std::string& what) {
      return std::string(source) + ":" + number(line) + ":" + number(column) + ": " + what;
    },
    [](std::string_view source, const std::string& what) {
      return std::string(source) + ": " + what;
    }};

// A setting out of its limits, in Chinese: "2000000 不是 0 到 1000000 之间的整数打乱次数".
std::string outOfRange(const Problem& p, std::string_view what) {
  return given(p.text) + " 不是 " + number(p.first) + " 到 " + number(p.second) + " 之间的" +
         std::string(what);
}

constexpr ProblemWords kChinese{
    {{
        {Fault::Utf16,
         [](const Problem&) -> std::string { return "这像是 UTF-16 文本，请把记录另存为 UTF-8"; }},
        {Fault::NotText,
         [](const Problem&) -> std::string { return "这不是文本文件：CSV 记录应是 UTF-8 文本"; }},
        {Fault::LineTooLong,
         [](const Problem& p) { return "这一行超过 " + number(p.first) + " 字节"; }},
        {Fault::FieldCount,
         [](const Problem& p) {
           return "应为期号和开奖号码（3,5,8 或 358 或 3 5 "
                  "8），中间可有日期，后面可有和值，这一行有 " +
                  number(p.first) + " 项";
         }},
        {Fault::PeriodTooLarge,
         [](const Problem& p) { return "期号太大，最大是 " + number(p.first); }},
        {Fault::PeriodNotANumber, [](const Problem&) -> std::string { return "期号不是整数"; }},
        {Fault::PeriodOutOfOrder,
         [](const Problem& p) {
           return "期号 " + number(p.first) + " 没有排在上一期 " + number(p.second) +
                  " 之后（期号须逐行增大）";
         }},
        {Fault::PeriodNotBefore,
         [](const Problem& p) {
           return "期号 " + number(p.first) + " 没有排在 " + number(p.second) +
                  " 之前（这份记录最新一期在前，期号须逐行减小）";
         }},
        {Fault::NotADigit,
         [](const Problem& p) { return "d" + number(p.first) + " 不是 0 到 9 的数字"; }},
        {Fault::WrongSum,
         [](const Problem& p) { return "和值不是三位数字之和 " + number(p.first); }},
        {Fault::LostZero,
         [](const Problem& p) {
           return "开奖号码 " + number(p.first) + " 只有 " + number(p.second) +
                  " 位：是丢了前面的 0 吗？应为 " + padded(p) + "？";
         }},
        {Fault::NotTheSum,
         [](const Problem& p) {
           return "第 " + number(p.first) + " 列（" + given(p.text) +
                  "）不是和值；若是试机号等别的列，请在第一行写上表头（期号,开奖号码,"
                  "试机号），这一列就会略过";
         }},
        {Fault::NoDrawColumn,
         [](const Problem& p) {
           return "表头里没有开奖号码的列：开奖号码（或 number），或 百位,十位,个位（或 "
                  "d1,d2,d3）" +
                  (p.text.empty() ? std::string()
                                  : "；表头列出的 " + given(p.text) + " 下也找不到开奖号码");
         }},
        {Fault::Conflict,
         [](const Problem& p) {
           return "第 " + number(p.first) + " 期在第 " + number(p.second) +
                  " 行已有另一个开奖号码：哪个对？";
         }},
        {Fault::TwoDraws,
         [](const Problem& p) {
           return "第 " + number(p.first) + " 列和第 " + number(p.second) + " 列（" +
                  given(p.text) +
                  "）都可能是开奖号码；请在第一行写上表头（期号,开奖号码,试机号），试机号就会略过";
         }},
        {Fault::DateInDraw,
         [](const Problem& p) {
           return "第 " + number(p.first) + " 列是日期或时间（" + given(p.text) +
                  "），而同样格式的第一行这里是开奖号码";
         }},
        {Fault::PeriodPastYear,
         [](const Problem& p) {
           return "期号 " + number(p.first) + " 是当年的第 " + number(p.second) +
                  " 期，而一年最多 " + number(backtest::kMostDrawsAYear) + " 期";
         }},
        {Fault::PeriodAfterThisYear,
         [](const Problem& p) {
           return "期号 " + number(p.first) + " 在今年（" + number(p.second) + "）之后";
         }},
        {Fault::PeriodMissing,
         [](const Problem& p) {
           return p.first == 1 ? std::string("这一行有期号，而前面的行没有")
                               : std::string("这一行没有期号，而前面的行有");
         }},
        {Fault::TooFewDraws,
         [](const Problem& p) {
           return "至少需要" + counted(backtest::kMinimumDraws, kChineseNumerals) +
                  "期开奖，只找到 " + number(p.first) + " 期";
         }},
        {Fault::RecordTooLarge,
         [](const Problem& p) { return "记录超过 " + megabytes(p.first) + "，不像开奖记录"; }},
        {Fault::TooLargeForDevice,
         [](const Problem& p) {
           return "记录超过 " + megabytes(p.first) +
                  "，这台设备内存太少，无法在网页里检验；请在电脑上用 quorvel-backtest 检验";
         }},
        {Fault::TooManyKept,
         [](const Problem& p) {
           return "本机保存的记录最多 " + number(p.first) + " 期；更大的记录请直接从文件检验";
         }},
        {Fault::NoPeriodsToKeep,
         [](const Problem&) -> std::string {
           return "这些开奖没有期号，不能并入本机保存的记录（每期该放在哪里只能靠猜）；请直接从文件检验";
         }},
        {Fault::OtherGame,
         [](const Problem& p) {
           return "这些开奖和记录共有的 " + number(p.first) + " 期里有 " + number(p.second) +
                  " 期不一样：像是另一种彩票的记录，一期也没有加进去";
         }},
        {Fault::OtherNumbering,
         [](const Problem& p) {
           return "这些是记录里已有的开奖，只是期号编法不同（这里的第 " + number(p.first) +
                  " 期就是记录里的第 " + number(p.second) + " 期），一期也没有加进去";
         }},
        {Fault::OtherGameNamed,
         [](const Problem& p) {
           return "这份记录写明是" + p.text + "的，是另一种彩票，一期也没有加进去";
         }},
        {Fault::NoLatestThree,
         [](const Problem& p) {
           return "预测要用记录里最新的连续三期，而记录" +
                  (p.second > 0 ? "在第 " + number(p.second) + " 期前的缺期之后" : std::string()) +
                  "最后只有 " + number(p.first) + " 期";
         }},
        {Fault::Shuffles, [](const Problem& p) { return outOfRange(p, "整数打乱次数"); }},
        {Fault::Seed, [](const Problem& p) { return outOfRange(p, "整数种子"); }},
        {Fault::Simulated, [](const Problem& p) { return outOfRange(p, "整数期数"); }},
        {Fault::Threads, [](const Problem& p) { return outOfRange(p, "整数线程数"); }},
        {Fault::Repeated,
         [](const Problem& p) {
           return "给了 " + number(p.first) + " 次（" + given(p.text) +
                  "），只能给一次；现用默认值";
         }},
    }},
    [](std::string_view source, std::size_t line, std::size_t column, const std::string& what) {
      return std::string(source) + " 第" + number(line) + "行第" + number(column) + "列：" + what;
    },
    [](std::string_view source, const std::string& what) {
      return std::string(source) + "：" + what;
    }};

constexpr Catalogue<ProblemWords> kWords{kEnglish, kChinese};

static_assert(byFault(kEnglish.sayings) && byFault(kChinese.sayings));

}  // namespace

std::string problemText(const Problem& problem, Language language) {
  return kWords.in(language).sayings[static_cast<std::size_t>(problem.fault)].says(problem);
}

std::string locatedText(std::string_view source, const Problem& problem, Language language) {
  const ProblemWords& words = kWords.in(language);
  const std::string what = problemText(problem, language);
  return problem.placed() ? words.placed(source, problem.line, problem.column, what)
                          : words.unplaced(source, what);
}

}  // namespace quorvel::report
