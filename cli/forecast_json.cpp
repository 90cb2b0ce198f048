#include "quorvel/cli/forecast_json.h"

#include <cstdio>

#include "quorvel/words/json_text.h"


namespace quorvel::cli {
namespace {

using words::jsonString;

// Thousandths as a decimal with three places, exact: 624 gives "0.624", 13535 "13.535".
std::string thousandths(std::int64_t value) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(value / 1000),
                static_cast<long long>(value % 1000));
  return text;
}

std::string outputJson(const presentation::OutputView& box) {
  std::string json = "{\"box\":" + jsonString(box.box) + ",\"caption\":" + jsonString(box.caption) +
                     ",\"text\":" + jsonString(box.text);
  if (box.listOdds) {
    json += ",\"chance\":" + thousandths(box.listOdds->chanceThousandths) +
            ",\"stake\":" + std::to_string(box.listOdds->stakeYuan) +
            ",\"expectedReturn\":" + thousandths(box.listOdds->expectedReturnMills);
  } else {
    json += ",\"chance\":" +
            (box.chanceThousandths ? thousandths(*box.chanceThousandths) : std::string("null"));
  }
  return json + "}";
}

}  // namespace

std::string forecastJson(const presentation::ForecastView& view) {
  std::string json = "{\"outputs\":[";
  bool first = true;
  for (const presentation::OutputView& box : view.outputs) {
    if (!box.written) continue;
    if (!first) json += ',';
    first = false;
    json += outputJson(box);
  }
  json += "],\"failure\":" + std::to_string(static_cast<int>(view.failure.failure));
  if (view.failure.failed()) json += ",\"report\":" + jsonString(view.failure.message);
  return json + "}\n";
}

}  // namespace quorvel::cli
