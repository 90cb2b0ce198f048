#include "quorvel/cli/screen_report.h"

#include "quorvel/presentation/odds.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/words/output_names.h"

namespace quorvel::cli {
namespace {

// An output's text, and under it what following it costs, when it says anything.
void appendOutput(std::string& report, const engine::PassResult& result, engine::Output output) {
  report.append(result.text(output)).append("\n");
  const std::string odds = presentation::oddsLine(result, output, words::kWindowLanguage);
  if (!odds.empty()) report.append(odds).append("\n");
}

}  // namespace

std::string screenReport(const engine::PassResult& result) {
  std::string report;
  for (const engine::Output output : engine::kAllOutputs) {
    if (!engine::isList(output) || !result.isWritten(output)) continue;
    report.append(words::listCaption(output)).append("\n");
    appendOutput(report, result, output);
  }
  bool captioned = false;
  for (engine::Output box : presentation::kVerdictsOnScreen) {
    if (!result.isWritten(box)) continue;
    if (!captioned) report.append(words::kVerdictCaption).append("\n");
    captioned = true;
    appendOutput(report, result, box);
  }
  return report;
}

}  // namespace quorvel::cli
