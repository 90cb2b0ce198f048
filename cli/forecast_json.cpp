#include "quorvel/cli/forecast_json.h"

#include <cstdio>

#include "quorvel/presentation/failure_report.h"
#include "quorvel/presentation/main_form_layout.h"
#include "quorvel/presentation/odds.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/words/output_names.h"

namespace quorvel::cli {
namespace {

// `text` as a JSON string: quotes, backslashes and control characters escaped, UTF-8 kept.
std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Thousandths as a decimal with three places, exact: 624 gives "0.624", 13535 "13.535".
std::string thousandths(std::int64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(value / 1000),
                static_cast<long long>(value % 1000));
  return text;
}

std::string outputJson(const engine::PassResult& result, engine::Output output) {
  const std::string_view caption = engine::isList(output) ? words::listCaption(output)
                                                          : words::verdictBoxName(output);
  std::string json = "{\"box\":" + jsonString(presentation::outputBoxName(output)) +
                     ",\"caption\":" + jsonString(caption) +
                     ",\"text\":" + jsonString(result.text(output));
  if (engine::isList(output)) {
    const presentation::ListOdds odds = presentation::listOdds(result.list(output));
    json += ",\"chance\":" + thousandths(odds.chanceThousandths) +
            ",\"stake\":" + std::to_string(odds.stakeYuan) +
            ",\"expectedReturn\":" + thousandths(odds.expectedReturnMills);
  } else {
    const std::optional<int> chance =
        presentation::verdictChanceThousandths(result.verdict(output));
    json += ",\"chance\":" + (chance ? thousandths(*chance) : std::string("null"));
  }
  return json + "}";
}

}  // namespace

std::string forecastJson(const engine::PassResult& result, const engine::GridTexts& cells) {
  std::string json = "{\"outputs\":[";
  bool first = true;
  for (const engine::Output output : engine::kAllOutputs) {
    if (!result.isWritten(output)) continue;
    if (!first) json += ',';
    first = false;
    json += outputJson(result, output);
  }
  json += "],\"failure\":" + std::to_string(static_cast<int>(result.failure));
  if (result.failure != engine::Failure::None) {
    json += ",\"report\":" +
            jsonString(presentation::failureMessage(result.failure, result.cause, cells));
  }
  return json + "}\n";
}

}  // namespace quorvel::cli
