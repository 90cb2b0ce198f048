#include "draw_history.h"

#include <charconv>
#include <string_view>

namespace quorvel::backtest {
namespace {

struct Field {
  std::string_view text;
  std::size_t column;  // 1-based
};

std::vector<Field> splitFields(std::string_view line) {
  std::vector<Field> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back({line.substr(start, comma - start), start + 1});
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool parseUnsigned(std::string_view text, std::uint64_t& value) {
  text = trim(text);
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::vector<Draw> readHistory(std::istream& in) {
  std::vector<Draw> draws;
  std::string line;
  auto fail = [&](std::size_t lineNumber, std::size_t column, const std::string& what) {
    throw LocatedError(lineNumber, column, what);
  };
  bool contentSeen = false;
  for (std::size_t number = 1; std::getline(in, line); ++number) {
    std::string_view text = line;
    if (number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    // UTF-16 starts with its byte order mark or, for ASCII text, has a zero byte in every pair.
    if (number == 1 && (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ||
                        text.find('\0') != std::string_view::npos)) {
      fail(1, 1, "this looks like UTF-16 text; save the history as UTF-8");
    }
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (trim(text).empty()) continue;
    const std::vector<Field> fields = splitFields(text);
    if (!contentSeen && trim(fields[0].text) == "period") {
      contentSeen = true;
      continue;
    }
    contentSeen = true;
    if (fields.size() != 4 && fields.size() != 5) {
      fail(number, 1,
           "expected period,d1,d2,d3 or period,d1,d2,d3,sum, found " +
               std::to_string(fields.size()) + " fields");
    }
    Draw draw{};
    if (!parseUnsigned(fields[0].text, draw.period)) {
      fail(number, fields[0].column, "the period is not a whole number");
    }
    if (!draws.empty() && draw.period <= draws.back().period) {
      fail(number, fields[0].column,
           "period " + std::to_string(draw.period) + " does not follow period " +
               std::to_string(draws.back().period));
    }
    for (std::size_t k = 0; k < 3; ++k) {
      std::uint64_t digit = 0;
      if (!parseUnsigned(fields[k + 1].text, digit) || digit > 9) {
        fail(number, fields[k + 1].column, "d" + std::to_string(k + 1) + " is not a digit 0-9");
      }
      draw.digits[k] = static_cast<int>(digit);
    }
    if (fields.size() == 5) {
      std::uint64_t sum = 0;
      if (!parseUnsigned(fields[4].text, sum) || sum != static_cast<std::uint64_t>(draw.sum())) {
        fail(number, fields[4].column,
             "the sum is not " + std::to_string(draw.sum()) + ", the sum of the digits");
      }
    }
    draws.push_back(draw);
  }
  return draws;
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
