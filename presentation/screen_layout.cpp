#include "quorvel/presentation/screen_layout.h"

#include "quorvel/engine/verdict.h"
#include "quorvel/version.h"

namespace quorvel::presentation {

std::string_view verdictBoxName(engine::Output output) {
  // A box's verdicts are written "label：call"; its name is the label.
  for (int v = 0; v < engine::kVerdictValues; ++v) {
    const auto verdict = static_cast<engine::Verdict>(v);
    const std::string_view text = engine::verdictText(verdict);
    const std::size_t colon = text.find("：");
    if (engine::boxOf(verdict) == output && colon != std::string_view::npos) {
      return text.substr(0, colon);
    }
  }
  return {};
}

std::string windowTitle(Edition edition) {
  return std::string(kProgramName) + (edition == Edition::Desktop ? "(Qt版)" : "(网页版)") +
         "V" QUORVEL_VERSION_MAJOR_MINOR;
}

}  // namespace quorvel::presentation
