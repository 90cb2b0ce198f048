#include "quorvel/cli/screen_report.h"

#include "quorvel/presentation/screen_layout.h"

namespace quorvel::cli {

std::string screenReport(const engine::PassResult& result) {
  std::string report;
  for (const engine::Output output : engine::kAllOutputs) {
    if (!engine::isList(output) || !result.isWritten(output)) continue;
    report.append(presentation::listCaption(output))
        .append("\n")
        .append(result.text(output))
        .append("\n");
  }
  bool captioned = false;
  for (engine::Output box : presentation::kVerdictsOnScreen) {
    if (!result.isWritten(box)) continue;
    if (!captioned) report.append(presentation::kVerdictCaption).append("\n");
    captioned = true;
    report.append(result.text(box)).append("\n");
  }
  return report;
}

}  // namespace quorvel::cli
