#include "tsv_codec.h"

#include <charconv>

namespace quorvel::tsv {
namespace {

// "\q" for a printable character, "\ followed by byte 0x07" for any other.
std::string describeEscape(char c) {
  if (c >= ' ' && c <= '~') return std::string("\\") + c;
  char hex[3];
  const auto written = std::to_chars(hex, hex + sizeof hex, static_cast<unsigned char>(c), 16);
  return "\\ followed by byte 0x" + std::string(hex, written.ptr);
}

}  // namespace

void decodeLine(std::string_view line, std::size_t lineNumber, GridStrings& cells) {
  auto fail = [&](std::size_t offset, const std::string& message) {
    throw LocatedError(lineNumber, offset + 1, message);
  };
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

  std::size_t field = 0;
  cells[0].clear();
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      if (++field == kGridCells) break;
      cells[field].clear();
      continue;
    }
    if (c != '\\') {
      cells[field].push_back(c);
      continue;
    }
    if (i + 1 == line.size()) {
      fail(i, "field " + std::to_string(field + 1) + " ends in a lone backslash");
    }
    const char escaped = line[++i];
    switch (escaped) {
      case 't':
        cells[field].push_back('\t');
        break;
      case 'n':
        cells[field].push_back('\n');
        break;
      case 'r':
        cells[field].push_back('\r');
        break;
      case '\\':
        cells[field].push_back('\\');
        break;
      default:
        fail(i - 1, "field " + std::to_string(field + 1) + " has the unknown escape " +
                        describeEscape(escaped));
    }
  }
  if (field + 1 != kGridCells) {
    std::size_t fields = 1;
    for (char c : line) fields += c == '\t';
    fail(0, "expected " + std::to_string(kGridCells) + " tab-separated fields, found " +
                std::to_string(fields));
  }
}

void appendEscaped(std::string& out, std::string_view field) {
  for (char c : field) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out.push_back(c);
    }
  }
}

void appendResultLine(std::string& out, const PassResult& result) {
  std::string text;
  for (int box = 0; box < kOutputBoxes; ++box) {
    text.clear();
    result.appendText(text, static_cast<OutputBox>(box));
    appendEscaped(out, text);
    out.push_back('\t');
  }
  out += std::to_string(static_cast<int>(result.failure));
  out.push_back('\n');
}

}  // namespace quorvel::tsv
