#include "quorvel/cli/screen_report.h"

#include "quorvel/words/output_names.h"

namespace quorvel::cli {

std::string screenReport(const presentation::ForecastView& view) {
  std::string report;
  bool captioned = false;
  for (const engine::Output output : presentation::kOutputsOnScreen) {
    const presentation::OutputView& box = view[output];
    if (!box.written) continue;
    if (engine::isList(output)) {
      report.append(box.caption).append("\n");
    } else if (!captioned) {
      report.append(words::kVerdictCaption).append("\n");
      captioned = true;
    }
    report.append(box.text).append("\n");
    if (!box.oddsLine.empty()) report.append(box.oddsLine).append("\n");
  }
  return report;
}

}  // namespace quorvel::cli
