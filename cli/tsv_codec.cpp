#include "quorvel/cli/tsv_codec.h"

#include <charconv>

namespace quorvel::cli {
namespace {

// "\q" for a printable character, "\ followed by byte 0x07" for any other.
std::string describeEscape(char c) {
  if (c >= ' ' && c <= '~') return std::string("\\") + c;
  char hex[3];
  const auto written = std::to_chars(hex, hex + sizeof hex, static_cast<unsigned char>(c), 16);
  return "\\ followed by byte 0x" + std::string(hex, written.ptr);
}

}  // namespace

void decodeLine(std::string_view line, std::size_t lineNumber, engine::GridStrings& cells) {
  auto fail = [&](std::size_t offset, const std::string& message) {
    throw LocatedError(lineNumber, offset + 1, message);
  };
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

  std::size_t field = 0;
  cells[0].clear();
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\t') {
      if (++field == engine::kGridCells) break;
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
  if (field + 1 != engine::kGridCells) {
    std::size_t fields = 1;
    for (char c : line) fields += c == '\t';
    fail(0, "expected " + std::to_string(engine::kGridCells) + " tab-separated fields, found " +
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

void splitLine(std::string_view line, std::size_t lineNumber, engine::GridStrings& decoded,
               engine::GridTexts& fields) {
  std::string_view rest = line;
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  // One pass over the bytes; a line with an escape, or with another number of fields, is left to
  // decodeLine, which decodes it or says what is wrong.
  const char* start = rest.data();
  const char* const end = start + rest.size();
  std::size_t field = 0;
  bool plain = true;
  for (const char* c = start; c != end && plain; ++c) {
    if (*c == '\t') {
      plain = field + 1 < fields.size();
      if (plain) fields[field++] = std::string_view(start, static_cast<std::size_t>(c - start));
      start = c + 1;
    } else if (*c == '\\') {
      plain = false;
    }
  }
  if (plain && field + 1 == fields.size()) {
    fields[field] = std::string_view(start, static_cast<std::size_t>(end - start));
    return;
  }
  decodeLine(line, lineNumber, decoded);
  fields = engine::viewsOf(decoded);
}

void appendResultLine(std::string& out, const engine::PassResult& result) {
  // List texts are digits and spaces and verdicts are fixed texts, so nothing needs escaping.
  for (const engine::Output output : engine::kAllOutputs) {
    result.appendText(out, output);
    out.push_back('\t');
  }
  out.push_back(static_cast<char>('0' + static_cast<int>(result.failure)));
  out.push_back('\n');
}

}  // namespace quorvel::cli
