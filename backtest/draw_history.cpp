#include "quorvel/backtest/draw_history.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "quorvel/game/draw.h"

namespace quorvel::backtest {
namespace {

struct Field {
  std::string_view text;  // without its quotes
  std::size_t column;     // 1-based
};

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A line's fields: split at its tabs when it has any, else at its commas outside double quotes,
// else at its runs of spaces. A quoted field ("3,3,2") is given without its quotes.
std::vector<Field> splitFields(std::string_view line) {
  std::vector<Field> fields;
  if (line.find('\t') == std::string_view::npos && line.find(',') == std::string_view::npos) {
    for (std::size_t start = 0; start < line.size();) {
      start = line.find_first_not_of(' ', start);
      if (start == std::string_view::npos) break;
      const std::size_t end = std::min(line.find(' ', start), line.size());
      fields.push_back({line.substr(start, end - start), start + 1});
      start = end;
    }
    return fields;
  }
  const char separator = line.find('\t') != std::string_view::npos ? '\t' : ',';
  for (std::size_t start = 0;;) {
    const std::size_t open = line.find_first_not_of(' ', start);
    const bool quoted = open != std::string_view::npos && line[open] == '"' && separator == ',';
    const std::size_t close = quoted ? line.find('"', open + 1) : std::string_view::npos;
    const std::size_t end =
        line.find(separator, quoted && close != std::string_view::npos ? close : start);
    const std::string_view text = line.substr(start, end - start);
    fields.push_back(
        {quoted && close != std::string_view::npos ? line.substr(open + 1, close - open - 1) : text,
         start + 1});
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

// The next line of `in` without its line end (LF, CRLF or a lone CR); false at the end of the
// input. A line is read only up to the limit, so a file without line ends is refused without
// being held.
bool nextLine(std::istream& in, std::string& line, std::size_t number) {
  line.clear();
  for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
    if (c == '\n') return true;
    if (c == '\r') {
      if (in.peek() == '\n') in.get();
      return true;
    }
    if (line.size() == kMaxLineBytes) {
      throw BacktestError({Fault::LineTooLong, number, kMaxLineBytes + 1, kMaxLineBytes});
    }
    line.push_back(static_cast<char>(c));
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

// What a header's column holds, by its name.
enum class Column : std::uint8_t { Period, Date, Digit1, Digit2, Digit3, Number, Sum, Other };

std::string lowered(std::string_view text) {
  std::string lower(trim(text));
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return lower;
}

// A column's role by the names that players' records give it; Other for any it cannot place,
// the trial number (试机号) among them.
Column columnNamed(std::string_view name) {
  struct Named {
    std::string_view name;
    Column column;
  };
  static constexpr Named kNames[] = {
      {"period", Column::Period},   {"issue", Column::Period},    {"draw", Column::Period},
      {"期号", Column::Period},     {"期数", Column::Period},     {"期次", Column::Period},
      {"开奖期号", Column::Period}, {"期", Column::Period},       {"date", Column::Date},
      {"日期", Column::Date},       {"开奖日期", Column::Date},   {"d1", Column::Digit1},
      {"d2", Column::Digit2},       {"d3", Column::Digit3},       {"百位", Column::Digit1},
      {"十位", Column::Digit2},     {"个位", Column::Digit3},     {"number", Column::Number},
      {"numbers", Column::Number},  {"开奖号码", Column::Number}, {"号码", Column::Number},
      {"中奖号码", Column::Number}, {"sum", Column::Sum},         {"和值", Column::Sum},
      {"和", Column::Sum}};
  const std::string lower = lowered(name);
  for (const Named& named : kNames) {
    if (named.name == lower) return named.column;
  }
  return Column::Other;
}

// A date column's text: 2026-06-19, 2026/6/19 or 2026.06.19, optionally with its weekday in
// parentheses, (五) or （五）.
bool isDate(std::string_view text) {
  text = trim(text);
  if (const std::size_t open = text.find_first_of("(\xEF"); open != std::string_view::npos) {
    text = trim(text.substr(0, open));  // "(" or the full-width "（", whose UTF-8 begins EF
  }
  int parts = 0, digits = 0;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if ((c == '-' || c == '/' || c == '.') && digits > 0) {
      ++parts;
      digits = 0;
    } else {
      return false;
    }
  }
  return parts == 2 && digits > 0 && text.size() >= 8;
}

// The three digits of a draw written in one field, as "358", "3 5 8" or "3,5,8"; the count of
// digits when they are digits alone but not three, and nothing for anything else.
struct Together {
  int digits[3] = {};
  std::size_t count = 0;
};
std::optional<Together> digitsTogether(std::string_view text) {
  Together together;
  for (const char c : trim(text)) {
    if (c == ' ' || c == ',') continue;
    if (c < '0' || c > '9' || together.count == 3) return std::nullopt;
    together.digits[together.count++] = c - '0';
  }
  if (together.count == 0) return std::nullopt;
  return together;
}

// Where each part of a draw lies on a line: set by a header's names, or found on each line.
struct Layout {
  std::optional<std::size_t> period, number, sum;
  std::array<std::optional<std::size_t>, 3> digits;
};

Layout layoutOfHeader(const std::vector<Field>& fields, std::size_t number) {
  Layout layout;
  for (std::size_t f = 0; f < fields.size(); ++f) {
    switch (columnNamed(fields[f].text)) {
      case Column::Period:
        if (!layout.period) layout.period = f;
        break;
      case Column::Digit1:
      case Column::Digit2:
      case Column::Digit3:
        layout.digits[static_cast<std::size_t>(columnNamed(fields[f].text)) -
                      static_cast<std::size_t>(Column::Digit1)] = f;
        break;
      case Column::Number:
        layout.number = f;
        break;
      case Column::Sum:
        layout.sum = f;
        break;
      case Column::Date:
      case Column::Other:
        break;
    }
  }
  const bool digits = layout.digits[0] && layout.digits[1] && layout.digits[2];
  if (!layout.number && !digits) throw BacktestError({Fault::NoDrawColumn, number, 1});
  return layout;
}

// A line's layout without a header: the period first, dates left out, then the draw as three
// fields (when three or more are left) or as one, then perhaps its sum.
Layout layoutOfLine(const std::vector<Field>& fields, std::size_t number) {
  Layout layout;
  layout.period = 0;
  std::vector<std::size_t> rest;
  for (std::size_t f = 1; f < fields.size(); ++f) {
    if (!isDate(fields[f].text)) rest.push_back(f);
  }
  if (rest.size() >= 3) {
    layout.digits = {rest[0], rest[1], rest[2]};
    rest.erase(rest.begin(), rest.begin() + 3);
  } else if (!rest.empty()) {
    layout.number = rest.front();
    rest.erase(rest.begin());
  }
  if (!layout.number && !layout.digits[0]) {
    throw BacktestError({Fault::FieldCount, number, 1, fields.size()});
  }
  if (!rest.empty()) layout.sum = rest.front();
  if (rest.size() > 1) throw BacktestError({Fault::FieldCount, number, 1, fields.size()});
  return layout;
}

void fail(std::size_t number, std::size_t column, Fault fault, std::uint64_t first = 0,
          std::uint64_t second = 0, std::string text = {}) {
  throw BacktestError({fault, number, column, first, second, std::move(text)});
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
        fail(number, fields[f].column, Fault::NotADigit, k + 1);
      }
      draw.digits[k] = static_cast<std::uint8_t>(digit);
    }
    return;
  }
  const std::size_t f = *layout.number;
  if (f >= fields.size()) fail(number, 1, Fault::FieldCount, fields.size());
  const std::optional<Together> together = digitsTogether(fields[f].text);
  if (!together) fail(number, fields[f].column, Fault::NotADigit, 1);
  if (together->count < 3) {
    std::uint64_t value = 0;
    for (std::size_t k = 0; k < together->count; ++k)
      value = 10 * value + static_cast<std::uint64_t>(together->digits[k]);
    fail(number, fields[f].column, Fault::LostZero, value, together->count);
  }
  std::copy(std::begin(together->digits), std::end(together->digits), draw.digits);
}

// The draw on line `number`, its fields where `layout` says; `named` when a header named them.
Draw parseDraw(const std::vector<Field>& fields, const Layout& layout, bool named,
               std::size_t number) {
  Draw draw{};
  const std::size_t p = *layout.period;
  if (p >= fields.size()) fail(number, 1, Fault::FieldCount, fields.size());
  const Parsed period = parseUnsigned(fields[p].text, draw.period);
  if (period == Parsed::TooLarge) fail(number, fields[p].column, Fault::PeriodTooLarge, UINT64_MAX);
  if (period == Parsed::NotANumber) fail(number, fields[p].column, Fault::PeriodNotANumber);
  readDigits(fields, layout, number, draw);
  if (!layout.sum || *layout.sum >= fields.size() || trim(fields[*layout.sum].text).empty()) {
    return draw;
  }
  const Field& field = fields[*layout.sum];
  std::uint64_t sum = 0;
  const bool number_ = parseUnsigned(field.text, sum) == Parsed::Number;
  // Without a header, a column after the draw that cannot be its sum may be anything, a trial
  // number as often as not: it is refused rather than guessed at.
  if (!named && (!number_ || !game::isSum(static_cast<double>(sum)))) {
    fail(number, field.column, Fault::NotTheSum, *layout.sum + 1, 0, std::string(trim(field.text)));
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
  // already, which is read once. Another draw for a period read already is refused.
  void take(const Draw& draw, std::size_t number) {
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

  // Room for `draws` draws, so that reading them never copies the ones read.
  void reserve(std::size_t draws) {
    record_.draws.reserve(draws);
    lines_.reserve(draws);
  }

  Record finish() && {
    if (record_.notes.order == RecordOrder::NewestFirst) {
      std::reverse(record_.draws.begin(), record_.draws.end());
    }
    noteGaps(record_.draws, record_.notes);
    return std::move(record_);
  }

 private:
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

// Whether a line is a header: it begins with no period, and one of its fields names the period's
// column.
bool isHeader(const std::vector<Field>& fields) {
  std::uint64_t period = 0;
  if (parseUnsigned(fields[0].text, period) != Parsed::NotANumber) return false;
  return std::any_of(fields.begin(), fields.end(),
                     [](const Field& f) { return columnNamed(f.text) == Column::Period; });
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

}  // namespace

Record readRecord(std::istream& in, std::uint64_t size) {
  // The shortest line that holds a draw: a period, a comma, three digits and a line end ("1,358").
  constexpr std::uint64_t kShortestDrawLine = 6;
  Reading reading;
  reading.reserve(static_cast<std::size_t>(std::min(size, kMaxRecordBytes) / kShortestDrawLine));
  std::optional<Layout> header;
  std::string line;
  bool contentSeen = false;
  std::uint64_t bytes = 0;
  for (std::size_t number = 1; nextLine(in, line, number); ++number) {
    bytes += line.size() + 1;
    if (bytes > kMaxRecordBytes) {
      throw BacktestError({Fault::RecordTooLarge, 0, 0, kMaxRecordBytes});
    }
    const std::string_view text = checkedText(line, number);
    if (trim(text).empty()) continue;
    const std::vector<Field> fields = splitFields(text);
    if (!contentSeen && isHeader(fields)) {
      header = layoutOfHeader(fields, number);
      contentSeen = true;
      continue;
    }
    contentSeen = true;
    const Layout layout = header ? *header : layoutOfLine(fields, number);
    reading.take(parseDraw(fields, layout, header.has_value(), number), number);
  }
  return std::move(reading).finish();
}

void noteGaps(std::span<const Draw> draws, RecordNotes& notes) {
  notes.gaps.clear();
  notes.restarts.clear();
  for (std::size_t i = 1; i < draws.size(); ++i) {
    const int year = periodYear(draws[i].period);
    if (year == 0 || year != periodYear(draws[i - 1].period)) continue;
    if (draws[i].period - draws[i - 1].period > 1) {
      notes.gaps.push_back(
          {draws[i - 1].period, draws[i].period, draws[i].period - draws[i - 1].period - 1});
      notes.restarts.push_back(i);
    }
  }
}

std::uint64_t nextPeriod(std::uint64_t last, int year) {
  const int lastYear = periodYear(last);
  if (lastYear == 0 || year <= lastYear) return last + 1;
  const std::uint64_t perYear = last >= 10'000'000 ? 10'000 : 1'000;  // yyyyNNNN or yyyyNNN
  return static_cast<std::uint64_t>(year) * perYear + 1;
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
  for (std::uint8_t& d : draw.digits) {
    std::uint64_t x = generator_();
    while (x >= kWholeBlocks) x = generator_();
    d = static_cast<std::uint8_t>(x % 10);
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
