#include "quorvel/backtest/draw_history.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "quorvel/game/draw.h"

namespace quorvel::backtest {
namespace {

struct Field {
  std::string_view text;
  std::size_t column;  // 1-based
};

// A line's fields, split at its tabs when it has any, else at its commas.
std::vector<Field> splitFields(std::string_view line) {
  const char separator = line.find('\t') != std::string_view::npos ? '\t' : ',';
  std::vector<Field> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(separator, start);
    fields.push_back({line.substr(start, end - start), start + 1});
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return fields;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

enum class Parsed { Number, TooLarge, NotANumber };

Parsed parseUnsigned(std::string_view text, std::uint64_t& value) {
  text = trim(text);
  if (text.empty()) return Parsed::NotANumber;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return Parsed::NotANumber;
  return ec == std::errc() ? Parsed::Number : Parsed::TooLarge;
}

// The next line of `in` without its line end; false at the end of the input. A line is read only
// up to the limit, so a file without line ends is refused without being held.
bool nextLine(std::istream& in, std::string& line, std::size_t number) {
  line.clear();
  for (char c; in.get(c);) {
    if (c == '\n') return true;
    if (line.size() == kMaxLineBytes) {
      throw BacktestError({Fault::LineTooLong, number, kMaxLineBytes + 1, kMaxLineBytes});
    }
    line.push_back(c);
  }
  return !line.empty();
}

// UTF-16 starts with its byte order mark or, for ASCII text, has a zero byte in every pair.
bool looksLikeUtf16(std::string_view line) {
  if (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF")) return true;
  if (line.size() < 2) return false;
  bool evenZero = true, oddZero = true;
  for (std::size_t i = 0; i < std::min<std::size_t>(line.size(), 64); ++i) {
    (i % 2 == 0 ? evenZero : oddZero) &= line[i] == '\0';
  }
  return evenZero || oddZero;
}

// Where the first byte lies that is not part of UTF-8 text (a zero byte counts as such), or npos.
std::size_t firstNonText(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size()) {
    const auto lead = static_cast<unsigned char>(line[i]);
    if (lead == 0) return i;
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || i + length > line.size()) return i;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(line[i + k]) & 0xC0) != 0x80) return i;
    }
    i += length;
  }
  return std::string_view::npos;
}

// Whether a line's first field heads the period's column, as "period" or a name that players'
// own records give it: 期号, 期数, 期次, 开奖期号, issue, draw. The names of the other columns
// (百位,十位,个位,和值, d1,d2,d3,sum, 开奖号码) are not read.
bool headsThePeriod(std::string_view field) {
  static constexpr std::string_view kNames[] = {"period", "issue", "draw",     "期号",
                                                "期数",   "期次",  "开奖期号", "期"};
  std::string lower(trim(field));
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return std::find(std::begin(kNames), std::end(kNames), lower) != std::end(kNames);
}

// The three digits of a draw written in one field, as "358" or "3 5 8"; false for anything else.
bool readDigitsTogether(std::string_view text, int (&digits)[3]) {
  std::size_t found = 0;
  for (const char c : text) {
    if (c == ' ') continue;
    if (c < '0' || c > '9' || found == 3) return false;
    digits[found++] = c - '0';
  }
  return found == 3;
}

// The draw on line `number`, whose fields are split: period,d1,d2,d3 or period,number (the three
// digits together), each with an optional sum after them.
Draw parseDraw(const std::vector<Field>& fields, std::size_t number) {
  auto fail = [&](std::size_t column, Fault fault, std::uint64_t first = 0) {
    throw BacktestError({fault, number, column, first});
  };
  Draw draw{};
  const bool together =
      (fields.size() == 2 || fields.size() == 3) && readDigitsTogether(fields[1].text, draw.digits);
  if (!together && fields.size() != 4 && fields.size() != 5) {
    fail(1, Fault::FieldCount, fields.size());
  }
  const Parsed period = parseUnsigned(fields[0].text, draw.period);
  if (period == Parsed::TooLarge) fail(fields[0].column, Fault::PeriodTooLarge, UINT64_MAX);
  if (period == Parsed::NotANumber) fail(fields[0].column, Fault::PeriodNotANumber);
  for (std::size_t k = 0; k < 3 && !together; ++k) {
    std::uint64_t digit = 0;
    if (parseUnsigned(fields[k + 1].text, digit) != Parsed::Number ||
        !game::isDigit(static_cast<double>(digit))) {
      fail(fields[k + 1].column, Fault::NotADigit, k + 1);
    }
    draw.digits[k] = static_cast<int>(digit);
  }
  const std::size_t sumField = together ? 2 : 4;
  std::uint64_t sum = 0;
  if (fields.size() == sumField + 1 &&
      (parseUnsigned(fields[sumField].text, sum) != Parsed::Number ||
       sum != static_cast<std::uint64_t>(draw.sum()))) {
    fail(fields[sumField].column, Fault::WrongSum, static_cast<std::uint64_t>(draw.sum()));
  }
  return draw;
}

// Periods run one way through a record: up, oldest first, or down, newest first, as the first two
// say. A period that breaks the run is named with the one before it.
void checkOrder(const std::vector<Draw>& draws, std::size_t number, RecordOrder& order) {
  if (draws.size() < 2) return;
  const std::uint64_t period = draws.back().period, previous = draws[draws.size() - 2].period;
  if (draws.size() == 2)
    order = period < previous ? RecordOrder::NewestFirst : RecordOrder::OldestFirst;
  const bool newestFirst = order == RecordOrder::NewestFirst;
  if (newestFirst ? period >= previous : period <= previous) {
    throw BacktestError({newestFirst ? Fault::PeriodNotBefore : Fault::PeriodOutOfOrder, number, 1,
                         period, previous});
  }
}

}  // namespace

std::vector<Draw> readHistory(std::istream& in, RecordOrder* orderRead) {
  std::vector<Draw> draws;
  RecordOrder order = RecordOrder::OldestFirst;
  std::string line;
  bool contentSeen = false;
  std::uint64_t bytes = 0;
  for (std::size_t number = 1; nextLine(in, line, number); ++number) {
    bytes += line.size() + 1;
    if (bytes > kMaxRecordBytes)
      throw BacktestError({Fault::RecordTooLarge, 0, 0, kMaxRecordBytes});
    std::string_view text = line;
    if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (number == 1 && looksLikeUtf16(text)) {
      throw BacktestError({Fault::Utf16, 1, 1});
    }
    if (const std::size_t bad = firstNonText(text); bad != std::string_view::npos) {
      throw BacktestError({Fault::NotText, number, bad + 1});
    }
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (trim(text).empty()) continue;
    const std::vector<Field> fields = splitFields(text);
    const bool header = !contentSeen && headsThePeriod(fields[0].text);
    contentSeen = true;
    if (header) continue;
    draws.push_back(parseDraw(fields, number));
    checkOrder(draws, number, order);
  }
  if (order == RecordOrder::NewestFirst) std::reverse(draws.begin(), draws.end());
  if (orderRead != nullptr) *orderRead = order;
  return draws;
}

int periodYear(std::uint64_t period) {
  const std::uint64_t year = period >= 10'000'000 ? period / 10'000 : period / 1'000;
  return period >= 1'000'000 && period < 100'000'000 && year >= 1900 && year <= 2999
             ? static_cast<int>(year)
             : 0;
}

Draw SimulatedDraws::next() {
  constexpr std::uint64_t kWholeBlocks = UINT64_MAX - UINT64_MAX % 10;  // values below are fair
  Draw draw{++period_, {}};
  for (int& d : draw.digits) {
    std::uint64_t x = generator_();
    while (x >= kWholeBlocks) x = generator_();
    d = static_cast<int>(x % 10);
  }
  return draw;
}

std::vector<Draw> simulateHistory(std::size_t count, std::uint64_t seed) {
  SimulatedDraws source(seed);
  std::vector<Draw> draws(count);
  for (Draw& draw : draws) draw = source.next();
  return draws;
}

}  // namespace quorvel::backtest
