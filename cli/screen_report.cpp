#include "quorvel/cli/screen_report.h"

#include "quorvel/presentation/screen_layout.h"

namespace quorvel {

std::string screenReport(const PassResult& result) {
  std::string report;
  for (const Output output : kAllOutputs) {
    if (!isList(output) || !result.isWritten(output)) continue;
    report.append(listCaption(output)).append("\n").append(result.text(output)).append("\n");
  }
  bool captioned = false;
  for (Output box : kVerdictsOnScreen) {
    if (!result.isWritten(box)) continue;
    if (!captioned) report.append(kVerdictCaption).append("\n");
    captioned = true;
    report.append(result.text(box)).append("\n");
  }
  return report;
}

}  // namespace quorvel
