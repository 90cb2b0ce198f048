#include "screen_report.h"

#include "quorvel/presentation/screen_layout.h"

namespace quorvel {

std::string screenReport(const PassResult& result) {
  std::string report;
  for (std::size_t i = 0; i < kListCaptions.size(); ++i) {
    const auto box = static_cast<OutputBox>(i);
    if (!result.isWritten(box)) continue;
    report.append(kListCaptions[i]).append("\n").append(result.text(box)).append("\n");
  }
  bool captioned = false;
  for (OutputBox box : kVerdictsOnScreen) {
    if (!result.isWritten(box)) continue;
    if (!captioned) report.append(kVerdictCaption).append("\n");
    captioned = true;
    report.append(result.text(box)).append("\n");
  }
  return report;
}

}  // namespace quorvel
