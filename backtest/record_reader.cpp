#include "quorvel/backtest/record_reader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <ctime>
#include <cstdint>
#include <optional>
#include <string_view>

#include "quorvel/game/draw.h"

namespace quorvel::backtest {

using game::numberInYear;
namespace {

struct Field {
  std::string_view text;  // without its quotes or brackets, trimmed
  std::size_t column;     // 1-based
};

constexpr bool isSpace(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

// What a Chinese keyboard or a web page puts in a line, as its ASCII kin: full-width punctuation
// and digits, the ideographic and every other Unicode space. Each is a whole UTF-8 sequence.
struct Kin {
  std::string_view from;
  char to;
};
constexpr Kin kKin[] = {
    {"\xC2\xA0", ' '},     {"\xE3\x80\x80", ' '}, {"\xE2\x80\xAF", ' '}, {"\xE2\x81\x9F", ' '},
    {"\xEF\xBC\x8C", ','}, {"\xE3\x80\x81", ','}, {"\xEF\xBC\x88", '('}, {"\xEF\xBC\x89", ')'},
    {"\xEF\xBC\x9A", ':'}, {"\xEF\xBC\x8D", '-'}, {"\xEF\xBC\x8F", '/'}, {"\xEF\xBC\x8E", '.'},
    {"\xEF\xBC\xBB", '['}, {"\xEF\xBC\xBD", ']'}, {"\xE3\x80\x90", '['}, {"\xE3\x80\x91", ']'},
    {"\xEF\xBC\x82", '"'}, {"\xE2\x80\x9C", '"'}, {"\xE2\x80\x9D", '"'}, {"\xEF\xBC\x87", '\''},
    {"\xE2\x80\x98", '\''}, {"\xE2\x80\x99", '\''}};

// Whether a byte can begin a sequence that asAscii changes: each of them begins with one of these.
constexpr bool beginsKin(unsigned char c) { return c == 0xC2 || c == 0xE2 || c == 0xE3 || c == 0xEF; }

// `text` with every sequence of kKin as its ASCII kin, the full-width digits and the spaces
// U+2000 to U+200A too, in `buffer`; `text` itself when it holds none, as nearly every line does.
std::string_view asAscii(std::string_view text, std::string& buffer) {
  const auto first = std::find_if(text.begin(), text.end(), [](char c) {
    return beginsKin(static_cast<unsigned char>(c));
  });
  if (first == text.end()) return text;
  buffer.assign(text.begin(), first);
  for (std::size_t i = static_cast<std::size_t>(first - text.begin()); i < text.size();) {
    if (!beginsKin(static_cast<unsigned char>(text[i]))) {
      buffer.push_back(text[i++]);
      continue;
    }
    const std::string_view rest = text.substr(i);
    if (rest.size() >= 3 && rest.starts_with("\xEF\xBC") &&
        static_cast<unsigned char>(rest[2]) >= 0x90 && static_cast<unsigned char>(rest[2]) <= 0x99) {
      buffer.push_back(static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x90)));
      i += 3;
      continue;
    }
    if (rest.size() >= 3 && rest.starts_with("\xE2\x80") &&
        static_cast<unsigned char>(rest[2]) >= 0x80 && static_cast<unsigned char>(rest[2]) <= 0x8A) {
      buffer.push_back(' ');
      i += 3;
      continue;
    }
    const auto kin = std::find_if(std::begin(kKin), std::end(kKin),
                                  [&](const Kin& k) { return rest.starts_with(k.from); });
    if (kin != std::end(kKin)) {
      buffer.push_back(kin->to);
      i += kin->from.size();
    } else {
      buffer.push_back(text[i++]);
    }
  }
  return buffer;
}

// A field as written, without what encloses it: quotes, brackets, and 第…期 around a period.
std::string_view unwrapped(std::string_view text) {
  text = trim(text);
  if (text.size() >= 2 && ((text.front() == '"' && text.back() == '"') ||
                           (text.front() == '[' && text.back() == ']'))) {
    text = trim(text.substr(1, text.size() - 2));
  }
  constexpr std::string_view kOrdinal = "\xE7\xAC\xAC", kPeriod = "\xE6\x9C\x9F";  // 第, 期
  if (text.starts_with(kOrdinal) && text.ends_with(kPeriod) &&
      text.size() > kOrdinal.size() + kPeriod.size()) {
    text = trim(text.substr(kOrdinal.size(), text.size() - kOrdinal.size() - kPeriod.size()));
  }
  return text;
}

// A line's fields: split at its tabs when it has any, else at its commas outside double quotes
// and brackets, else at its runs of spaces. A quoted or bracketed field ("3,3,2", ['3', '3',
// '2']) is one field.
std::vector<Field> splitFields(std::string_view line) {
  std::vector<Field> fields;
  const bool tabs = line.find('\t') != std::string_view::npos;
  const bool commas = !tabs && line.find(',') != std::string_view::npos;
  if (!tabs && !commas) {
    for (std::size_t start = 0; start < line.size();) {
      start = line.find_first_not_of(' ', start);
      if (start == std::string_view::npos) break;
      const std::size_t end = std::min(line.find(' ', start), line.size());
      fields.push_back({unwrapped(line.substr(start, end - start)), start + 1});
      start = end;
    }
    return fields;
  }
  const char separator = tabs ? '\t' : ',';
  for (std::size_t start = 0;;) {
    std::size_t at = start;
    while (at < line.size() && line[at] == ' ') ++at;
    // A quoted or bracketed field runs to its closing mark, separators inside it and all.
    if (!tabs && at < line.size() && (line[at] == '"' || line[at] == '[')) {
      const std::size_t close = line.find(line[at] == '"' ? '"' : ']', at + 1);
      if (close != std::string_view::npos) at = close;
    }
    const std::size_t end = line.find(separator, at);
    fields.push_back({unwrapped(line.substr(start, end - start)), start + 1});
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return fields;
}

enum class Parsed { Number, TooLarge, NotANumber };

Parsed parseUnsigned(std::string_view text, std::uint64_t& value) {
  text = trim(text);
  if (text.empty()) return Parsed::NotANumber;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return Parsed::NotANumber;
  return ec == std::errc() ? Parsed::Number : Parsed::TooLarge;
}

bool isWhole(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

// The next line of `in` without its line end (LF, CRLF or a lone CR); false at the end of the
// input. A line is read only up to the limit, so a file without line ends is refused without
// being held.
bool nextLine(std::istream& in, std::string& line, std::size_t number) {
  line.clear();
  // Straight from the stream's buffer: a record of millions of lines is read byte by byte.
  std::streambuf& bytes = *in.rdbuf();
  constexpr int kEnd = std::char_traits<char>::eof();
  for (int c; (c = bytes.sbumpc()) != kEnd;) {
    if (c == '\n') return true;
    if (c == '\r') {
      if (bytes.sgetc() == '\n') bytes.sbumpc();
      return true;
    }
    if (line.size() == kMaxLineBytes) {
      throw BacktestError({Fault::LineTooLong, number, kMaxLineBytes + 1, kMaxLineBytes});
    }
    line.push_back(static_cast<char>(c));
  }
  in.setstate(std::ios::eofbit);
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

// A date or a time, in any of the forms players' records write them: 2026-06-19, 2026/6/19,
// 2026.06.19 or 20260619 (when `compact` allows it), with or without a weekday ((五), 周五, Fri)
// or a time after it (21:25:00); or a time alone.
bool isDate(std::string_view text, bool compact) {
  text = trim(text);
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - from;
  };
  const std::size_t first = digits();
  if (first == 8 && compact) {
    const int month = (text[4] - '0') * 10 + (text[5] - '0');
    const int day = (text[6] - '0') * 10 + (text[7] - '0');
    if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  } else if (first >= 1 && first <= 2 && i < text.size() && text[i] == ':') {
    ++i;
    if (digits() != 2) return false;  // hh:mm, perhaps :ss
  } else if (first == 4 && i < text.size() && (text[i] == '-' || text[i] == '/' || text[i] == '.')) {
    const char separator = text[i++];
    if (const std::size_t month = digits(); month < 1 || month > 2) return false;
    if (i >= text.size() || text[i++] != separator) return false;
    if (const std::size_t day = digits(); day < 1 || day > 2) return false;
  } else {
    return false;
  }
  // What follows is a weekday or a time, never more digits of the same number.
  return i == text.size() || !(text[i] >= '0' && text[i] <= '9');
}

// The three digits of a draw written in one field, as "358", "3 5 8", "3,5,8" or a list
// ['3', '5', '8']; the count of digits when they are digits alone but not three, and nothing for
// anything else.
struct Together {
  int digits[3] = {};
  std::size_t count = 0;
};
std::optional<Together> digitsTogether(std::string_view text) {
  Together together;
  for (const char c : trim(text)) {
    if (c == ' ' || c == ',' || c == '\'' || c == '"' || c == '[' || c == ']') continue;
    if (c < '0' || c > '9' || together.count == 3) return std::nullopt;
    together.digits[together.count++] = c - '0';
  }
  if (together.count == 0) return std::nullopt;
  return together;
}

bool isSingleDigit(std::string_view text) { return text.size() == 1 && text[0] >= '0' && text[0] <= '9'; }

bool isDrawTogether(std::string_view text) {
  const std::optional<Together> together = digitsTogether(text);
  return together && together->count == 3 && !text.empty();
}

// What a header's column holds, by its name: the names only settle what the content leaves open.
enum class Column : std::uint8_t { Period, Date, Digit1, Digit2, Digit3, Number, Sum, Trial, Other };

std::string lowered(std::string_view text) {
  std::string lower(trim(text));
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return lower;
}

// The names players' records and their tools give each column; Other for a name not here.
Column columnNamed(std::string_view name) {
  struct Named {
    std::string_view name;
    Column column;
  };
  static constexpr Named kNames[] = {
      {"period", Column::Period},     {"issue", Column::Period},      {"draw", Column::Period},
      {"term", Column::Period},       {"seq", Column::Period},        {"qihao", Column::Period},
      {"expect", Column::Period},     {"期号", Column::Period},        {"期数", Column::Period},
      {"期次", Column::Period},        {"开奖期号", Column::Period},    {"期", Column::Period},
      {"date", Column::Date},         {"draw_time", Column::Date},    {"time", Column::Date},
      {"日期", Column::Date},          {"开奖日期", Column::Date},      {"开奖时间", Column::Date},
      {"d1", Column::Digit1},         {"d2", Column::Digit2},         {"d3", Column::Digit3},
      {"百位", Column::Digit1},        {"十位", Column::Digit2},        {"个位", Column::Digit3},
      {"hundreds", Column::Digit1},   {"tens", Column::Digit2},       {"ones", Column::Digit3},
      {"bai", Column::Digit1},        {"shi", Column::Digit2},        {"ge", Column::Digit3},
      {"red_1", Column::Digit1},      {"red_2", Column::Digit2},      {"red_3", Column::Digit3},
      {"number", Column::Number},     {"numbers", Column::Number},    {"开奖号码", Column::Number},
      {"号码", Column::Number},        {"中奖号码", Column::Number},    {"draw_result", Column::Number},
      {"opencode", Column::Number},   {"result", Column::Number},     {"sum", Column::Sum},
      {"和值", Column::Sum},           {"和", Column::Sum},             {"试机号", Column::Trial},
      {"试机号码", Column::Trial},      {"trial", Column::Trial},       {"sjh", Column::Trial}};
  const std::string lower = lowered(name);
  for (const Named& named : kNames) {
    if (named.name == lower) return named.column;
  }
  return Column::Other;
}

// Where each part of a draw lies on a line, found from what its fields hold, with a header's
// names to settle what the content leaves open.
struct Layout {
  std::size_t fields = 0;         // the lines it was found for have this many fields
  std::optional<std::size_t> period, number, sum;
  std::array<std::optional<std::size_t>, 3> digits;
  std::vector<std::size_t> copies;  // further columns that write the draw's digits again
  bool hasDraw() const { return number || digits[0]; }
};

void fail(std::size_t number, std::size_t column, Fault fault, std::uint64_t first = 0,
          std::uint64_t second = 0, std::string text = {}) {
  throw BacktestError({fault, number, column, first, second, std::move(text)});
}

// The header's names, a column each; none without a header.
using Names = std::vector<Column>;

Column nameOf(const Names& names, std::size_t f) {
  return f < names.size() ? names[f] : Column::Other;
}

// The draw among fields `rest` (in order, the period and dates left out): three single digits in
// a row, or one field of three digits together; then the column after it that is its sum, and any
// column that writes the same digits again. Where another column could as well be the draw, or a
// small number after it is not its sum, nothing is guessed: refused unless a header names them.
bool findDraw(const std::vector<Field>& fields, const std::vector<std::size_t>& rest,
              const Names& names, std::size_t number, Layout& layout) {
  std::size_t at = 0;
  for (; at < rest.size(); ++at) {
    const std::size_t f = rest[at];
    if (nameOf(names, f) == Column::Trial) continue;
    if (at + 2 < rest.size() && isSingleDigit(fields[f].text) &&
        isSingleDigit(fields[rest[at + 1]].text) && isSingleDigit(fields[rest[at + 2]].text)) {
      layout.digits = {f, rest[at + 1], rest[at + 2]};
      at += 3;
      break;
    }
    if (isDrawTogether(fields[f].text)) {
      layout.number = f;
      ++at;
      break;
    }
  }
  if (!layout.hasDraw()) return false;
  Together draw;
  if (layout.number) {
    draw = *digitsTogether(fields[*layout.number].text);
  } else {
    for (std::size_t k = 0; k < 3; ++k) draw.digits[k] = fields[*layout.digits[k]].text[0] - '0';
  }
  const int sum = draw.digits[0] + draw.digits[1] + draw.digits[2];
  for (; at < rest.size(); ++at) {
    const std::size_t f = rest[at];
    const std::string_view text = fields[f].text;
    const Column named = nameOf(names, f);
    if (named == Column::Trial || named == Column::Date) continue;
    if (named == Column::Sum) {
      layout.sum = f;
      continue;
    }
    if (isDrawTogether(text)) {
      const Together other = *digitsTogether(text);
      if (std::equal(std::begin(other.digits), std::end(other.digits), std::begin(draw.digits))) {
        layout.copies.push_back(f);
        continue;
      }
      if (names.empty() || named == Column::Other) {
        const std::size_t first = layout.number ? *layout.number : *layout.digits[0];
        fail(number, fields[f].column, Fault::TwoDraws, first + 1, f + 1, std::string(text));
      }
      continue;
    }
    std::uint64_t value = 0;
    if (!layout.sum && text.size() <= 2 && parseUnsigned(text, value) == Parsed::Number) {
      if (value == static_cast<std::uint64_t>(sum)) {
        layout.sum = f;
      } else if (names.empty() || named == Column::Other) {
        // A small number after the draw that is not its sum may be a wrong sum or another
        // column, a trial number's sum as often as not: refused rather than guessed at.
        fail(number, fields[f].column, Fault::NotTheSum, f + 1, 0, std::string(text));
      }
    }
  }
  return true;
}

// A line that is a draw and nothing else: one field of three digits, or three single digits,
// besides dates and empty fields. A record of such lines has no periods.
bool drawAlone(const std::vector<Field>& fields) {
  std::vector<std::string_view> kept;
  for (const Field& field : fields) {
    if (!field.text.empty() && !isDate(field.text, true)) kept.push_back(field.text);
  }
  if (kept.size() == 1) return isDrawTogether(kept[0]) && isWhole(kept[0]);
  return kept.size() == 3 && std::all_of(kept.begin(), kept.end(), isSingleDigit);
}

// The fields other than `period`, dates and empty ones, in order.
std::vector<std::size_t> restOf(const std::vector<Field>& fields, std::optional<std::size_t> period,
                                const Names& names) {
  std::vector<std::size_t> rest;
  for (std::size_t f = 0; f < fields.size(); ++f) {
    if (f == period || fields[f].text.empty()) continue;
    if (nameOf(names, f) == Column::Date || isDate(fields[f].text, f != period)) continue;
    rest.push_back(f);
  }
  return rest;
}

// The layout a header's names give outright: its period and its draw's columns.
std::optional<Layout> namedLayout(const std::vector<Field>& fields, const Names& names) {
  Layout layout;
  for (std::size_t f = 0; f < names.size(); ++f) {
    switch (names[f]) {
      case Column::Period:
        if (!layout.period) layout.period = f;
        break;
      case Column::Digit1:
      case Column::Digit2:
      case Column::Digit3:
        layout.digits[static_cast<std::size_t>(names[f]) - static_cast<std::size_t>(Column::Digit1)] =
            f;
        break;
      case Column::Number:
        layout.number = f;
        break;
      case Column::Sum:
        layout.sum = f;
        break;
      default:
        break;
    }
  }
  if (layout.number && layout.digits[0] && layout.digits[1] && layout.digits[2]) {
    layout.number.reset();  // both named: the digits' own columns are the draw
  }
  if (!layout.number && !(layout.digits[0] && layout.digits[1] && layout.digits[2])) {
    return std::nullopt;
  }
  if (layout.number) layout.digits = {};
  if (!layout.period) {
    for (std::size_t f = 0; f < fields.size(); ++f) {
      if (nameOf(names, f) == Column::Other && isWhole(fields[f].text) && f != layout.number) {
        layout.period = f;
        break;
      }
    }
  }
  return layout;
}

// The layout of a header's first data line when the content left it without a draw: today's
// reading by place, the period first, so that a line that is almost a draw is refused where it
// goes wrong.
Layout layoutByPlace(const std::vector<Field>& fields, std::size_t number) {
  Layout layout;
  layout.fields = fields.size();
  layout.period = 0;
  std::vector<std::size_t> rest;
  for (std::size_t f = 1; f < fields.size(); ++f) {
    if (!isDate(fields[f].text, true)) rest.push_back(f);
  }
  if (rest.size() >= 3) {
    layout.digits = {rest[0], rest[1], rest[2]};
  } else if (!rest.empty()) {
    layout.number = rest.front();
  } else {
    fail(number, 1, Fault::FieldCount, fields.size());
  }
  return layout;
}

// The layout of a line of `fields` fields, from what it holds: the period is the first field when
// it is a whole number (an eight-digit date before another whole number is a date), else the first
// whole number of five, seven or eight digits, else any whole number, after which the rest holds
// the draw; a line that holds a draw and nothing else has no period.
// The header, when there is one: its line, its names and its fields' texts.
struct Header {
  std::size_t line = 0;
  Names names;
  std::vector<std::string> texts;
};

// What a header with no column of the draw says: the names of the columns it could not place.
[[noreturn]] void noDrawColumn(const Header& header) {
  std::string unplaced;
  for (std::size_t f = 0; f < header.names.size(); ++f) {
    if (header.names[f] != Column::Other || header.texts[f].empty()) continue;
    unplaced += (unplaced.empty() ? "" : ", ") + header.texts[f];
  }
  throw BacktestError({Fault::NoDrawColumn, header.line, 1, 0, 0, unplaced});
}

Layout layoutOf(const std::vector<Field>& fields, const Header& header, std::size_t number) {
  const Names& names = header.names;
  if (std::optional<Layout> named = namedLayout(fields, names)) {
    named->fields = fields.size();
    if (!named->period) fail(number, 1, Fault::PeriodNotANumber);
    return *named;
  }
  Layout layout;
  layout.fields = fields.size();
  if (drawAlone(fields)) {
    findDraw(fields, restOf(fields, std::nullopt, names), names, number, layout);
    return layout;
  }
  std::vector<std::size_t> periods;  // the fields that could be the period, the likeliest first
  const auto periodNamed = [&](std::size_t f) { return nameOf(names, f) == Column::Period; };
  for (std::size_t f = 0; f < fields.size(); ++f) {
    if (periodNamed(f) && isWhole(fields[f].text)) periods.push_back(f);
  }
  const bool dateFirst = fields.size() > 1 && isWhole(fields[0].text) &&
                         isDate(fields[0].text, true) && isWhole(fields[1].text);
  if (!fields.empty() && isWhole(fields[0].text) && !dateFirst) periods.push_back(0);
  for (const std::size_t digits : {std::size_t{7}, std::size_t{8}, std::size_t{5}}) {
    for (std::size_t f = 0; f < fields.size(); ++f) {
      if (isWhole(fields[f].text) && fields[f].text.size() == digits && !(f == 0 && dateFirst))
        periods.push_back(f);
    }
  }
  for (std::size_t f = 0; f < fields.size(); ++f) {
    if (isWhole(fields[f].text) && !(f == 0 && dateFirst)) periods.push_back(f);
  }
  for (const std::size_t period : periods) {
    Layout tried = layout;
    tried.period = period;
    if (findDraw(fields, restOf(fields, period, names), names, number, tried)) return tried;
  }
  // No draw to be found: refused where the line goes wrong, read by place as a period and its
  // draw, or at its first field when that is no period.
  if (header.line > 0) noDrawColumn(header);
  if (fields.empty() || (!isWhole(fields[0].text) && !dateFirst)) {
    fail(number, fields.empty() ? 1 : fields[0].column, Fault::PeriodNotANumber);
  }
  layout = layoutByPlace(fields, number);
  return layout;
}

// The draw's digits, from three fields of their own or one that holds them all.
void readDigits(const std::vector<Field>& fields, const Layout& layout, std::size_t number,
                Draw& draw) {
  if (layout.digits[0]) {
    for (std::size_t k = 0; k < 3; ++k) {
      const std::size_t f = *layout.digits[k];
      std::uint64_t digit = 0;
      if (f >= fields.size()) fail(number, 1, Fault::FieldCount, fields.size());
      if (parseUnsigned(fields[f].text, digit) != Parsed::Number ||
          !game::isDigit(static_cast<double>(digit))) {
        if (isDate(fields[f].text, true)) {
          fail(number, fields[f].column, Fault::DateInDraw, f + 1, 0, std::string(fields[f].text));
        }
        fail(number, fields[f].column, Fault::NotADigit, k + 1);
      }
      draw.digits[k] = static_cast<std::uint8_t>(digit);
    }
    return;
  }
  const std::size_t f = *layout.number;
  if (f >= fields.size()) fail(number, 1, Fault::FieldCount, fields.size());
  const std::optional<Together> together = digitsTogether(fields[f].text);
  if (!together) {
    if (isDate(fields[f].text, true)) {
      fail(number, fields[f].column, Fault::DateInDraw, f + 1, 0, std::string(fields[f].text));
    }
    fail(number, fields[f].column, Fault::NotADigit, 1);
  }
  if (together->count < 3) {
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < together->count; ++k)
      value = 10 * value + static_cast<std::uint64_t>(together->digits[k]);
    fail(number, fields[f].column, Fault::LostZero, value, together->count);
  }
  std::copy(std::begin(together->digits), std::end(together->digits), draw.digits);
}

// The period of a line, refused when it is not a whole number, passes what a year holds, or lies
// in a year after this one.
std::uint64_t readPeriod(const Field& field, std::size_t number, int thisYear) {
  std::uint64_t period = 0;
  const Parsed parsed = parseUnsigned(field.text, period);
  if (parsed == Parsed::TooLarge) fail(number, field.column, Fault::PeriodTooLarge, UINT64_MAX);
  if (parsed == Parsed::NotANumber) fail(number, field.column, Fault::PeriodNotANumber);
  if (const int year = periodYear(period); year != 0) {
    const std::uint64_t within = numberInYear(period);
    if (within == 0 || within > kMostDrawsAYear) {
      fail(number, field.column, Fault::PeriodPastYear, period, within);
    }
    if (year > thisYear) {
      fail(number, field.column, Fault::PeriodAfterThisYear, period,
           static_cast<std::uint64_t>(thisYear));
    }
  }
  return period;
}

// The draw on line `number`, its fields where `layout` says; `named` when a header named them.
// A line without a period has period 0 here: the reading numbers it.
Draw parseDraw(const std::vector<Field>& fields, const Layout& layout, bool named,
               std::size_t number, int thisYear) {
  Draw draw{};
  if (layout.period) {
    const std::size_t p = *layout.period;
    if (p >= fields.size()) fail(number, 1, Fault::FieldCount, fields.size());
    draw.period = readPeriod(fields[p], number, thisYear);
  }
  readDigits(fields, layout, number, draw);
  if (!layout.sum || *layout.sum >= fields.size() || fields[*layout.sum].text.empty()) {
    return draw;
  }
  const Field& field = fields[*layout.sum];
  std::uint64_t sum = 0;
  const bool number_ = parseUnsigned(field.text, sum) == Parsed::Number;
  // Without a header, a column after the draw that cannot be its sum may be anything, a trial
  // number as often as not: it is refused rather than guessed at.
  if (!named && (!number_ || !game::isSum(static_cast<double>(sum)))) {
    fail(number, field.column, Fault::NotTheSum, *layout.sum + 1, 0, std::string(field.text));
  }
  if (!number_ || sum != static_cast<std::uint64_t>(draw.sum())) {
    fail(number, field.column, Fault::WrongSum, static_cast<std::uint64_t>(draw.sum()));
  }
  return draw;
}

// The draws read so far, in the record's own order, with the line of each.
class Reading {
 public:
  // Takes the draw of line `number`: a new period in the record's order, or a repeat of one read
  // already, which is read once. Another draw for a period read already is refused. A draw of a
  // record without periods is numbered by its place.
  void take(Draw draw, bool hasPeriod, std::size_t number) {
    if (!record_.draws.empty() && hasPeriod != record_.notes.periods) {
      fail(number, 1, Fault::PeriodMissing, hasPeriod ? 1 : 0);
    }
    record_.notes.periods = hasPeriod;
    if (!hasPeriod) {
      draw.period = record_.draws.size() + 1;
      record_.draws.push_back(draw);
      lines_.push_back(static_cast<std::uint32_t>(number));
      return;
    }
    if (const std::optional<std::size_t> earlier = find(draw.period)) {
      const Draw& known = record_.draws[*earlier];
      if (!known.sameDigits(draw)) {
        fail(number, 1, Fault::Conflict, draw.period, lines_[*earlier]);
      }
      ++record_.notes.repeated;
      return;
    }
    if (record_.draws.size() == 1) {
      record_.notes.order = draw.period < record_.draws[0].period ? RecordOrder::NewestFirst
                                                                  : RecordOrder::OldestFirst;
    }
    if (!record_.draws.empty()) {
      const std::uint64_t previous = record_.draws.back().period;
      const bool newestFirst = record_.notes.order == RecordOrder::NewestFirst;
      if (newestFirst ? draw.period > previous : draw.period < previous) {
        fail(number, 1, newestFirst ? Fault::PeriodNotBefore : Fault::PeriodOutOfOrder, draw.period,
             previous);
      }
    }
    record_.draws.push_back(draw);
    lines_.push_back(static_cast<std::uint32_t>(number));
  }

  void noteHeader(std::string_view text) { record_.notes.header = text; }

  // Room for `draws` draws, so that reading them never copies the ones read.
  void reserve(std::size_t draws) {
    record_.draws.reserve(draws);
    lines_.reserve(draws);
  }

  Record finish(int thisYear) && {
    if (record_.notes.order == RecordOrder::NewestFirst) {
      std::reverse(record_.draws.begin(), record_.draws.end());
    }
    if (record_.notes.periods && shortYearPeriods(record_.draws, thisYear)) {
      for (Draw& draw : record_.draws) draw.period = fromShortYear(draw.period);
      record_.notes.shortPeriods = true;
    }
    noteGaps(record_.draws, record_.notes);
    return std::move(record_);
  }

 private:
  // Whether every period is written yyNNN, the year's last two digits and the draw's number
  // within it (26224 for 2026224), as the sports lottery numbers its draws.
  static bool shortYearPeriods(std::span<const Draw> draws, int thisYear) {
    return !draws.empty() && std::all_of(draws.begin(), draws.end(), [&](const Draw& d) {
      const std::uint64_t within = d.period % 1000;
      return d.period >= 10'000 && d.period <= 99'999 && within >= 1 &&
             within <= kMostDrawsAYear && 2000 + static_cast<int>(d.period / 1000) <= thisYear;
    });
  }

  // Where the period was read already, searched in the record's order.
  std::optional<std::size_t> find(std::uint64_t period) const {
    const std::vector<Draw>& draws = record_.draws;
    const auto before = [&](const Draw& d, std::uint64_t p) {
      return record_.notes.order == RecordOrder::NewestFirst ? d.period > p : d.period < p;
    };
    const auto at = std::lower_bound(draws.begin(), draws.end(), period, before);
    if (at == draws.end() || at->period != period) return std::nullopt;
    return static_cast<std::size_t>(at - draws.begin());
  }

  Record record_;
  std::vector<std::uint32_t> lines_;
};

// Whether the first line is a header: nothing on it could be a draw, and some field that is no
// date holds a word (a letter, or a Chinese character).
bool isHeader(const std::vector<Field>& fields) {
  bool words = false;
  for (std::size_t f = 0; f < fields.size(); ++f) {
    const std::string_view text = fields[f].text;
    if (isDrawTogether(text)) return false;
    if (f + 2 < fields.size() && isSingleDigit(text) && isSingleDigit(fields[f + 1].text) &&
        isSingleDigit(fields[f + 2].text))
      return false;
    words = words || (!isDate(text, true) && std::any_of(text.begin(), text.end(), [](char c) {
                        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c & 0x80) != 0;
                      }));
  }
  return words;
}

// A line's text once it is known to be text: a UTF-8 byte order mark on the first line and a
// carriage return at its end left out.
std::string_view checkedText(const std::string& line, std::size_t number) {
  std::string_view text = line;
  if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  if (number == 1 && looksLikeUtf16(text)) throw BacktestError({Fault::Utf16, 1, 1});
  if (const std::size_t bad = firstNonText(text); bad != std::string_view::npos) {
    throw BacktestError({Fault::NotText, number, bad + 1});
  }
  return text;
}

// The year in Beijing time, where the draws are drawn.
int thisYear() {
  const std::time_t now = std::time(nullptr) + 8 * 3600;
  std::tm parts{};
#ifdef _WIN32
  gmtime_s(&parts, &now);
#else
  gmtime_r(&now, &parts);
#endif
  return parts.tm_year + 1900;
}

}  // namespace

Record readRecord(std::istream& in, std::uint64_t size) {
  // The shortest line that holds a draw and its period: a period, a comma, three digits and a line
  // end ("1,358"). A record of draws alone has shorter lines, and grows its block as it goes.
  constexpr std::uint64_t kShortestDrawLine = 6;
  const int year = thisYear();
  Reading reading;
  reading.reserve(static_cast<std::size_t>(std::min(size, kMaxRecordBytes) / kShortestDrawLine));
  Header header;
  std::vector<Layout> layouts;  // one for each shape of line met, by its number of fields
  std::string line, ascii;
  bool contentSeen = false;
  std::uint64_t bytes = 0;
  for (std::size_t number = 1; nextLine(in, line, number); ++number) {
    bytes += line.size() + 1;
    if (bytes > kMaxRecordBytes) {
      throw BacktestError({Fault::RecordTooLarge, 0, 0, kMaxRecordBytes});
    }
    const std::string_view text = asAscii(checkedText(line, number), ascii);
    if (trim(text).empty()) continue;
    const std::vector<Field> fields = splitFields(text);
    if (!contentSeen && isHeader(fields)) {
      reading.noteHeader(text);
      header.line = number;
      for (const Field& field : fields) {
        header.names.push_back(columnNamed(field.text));
        header.texts.emplace_back(field.text);
      }
      contentSeen = true;
      continue;
    }
    contentSeen = true;
    auto known = std::find_if(layouts.begin(), layouts.end(), [&](const Layout& l) {
      return l.fields == fields.size() || header.line > 0;
    });
    if (known == layouts.end()) {
      layouts.push_back(layoutOf(fields, header, number));
      known = layouts.end() - 1;
    }
    reading.take(parseDraw(fields, *known, header.line > 0, number, year),
                 known->period.has_value(), number);
  }
  return std::move(reading).finish(year);
}

}  // namespace quorvel::backtest
