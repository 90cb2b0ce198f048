#include "quorvel/engine/pass_result.h"

namespace quorvel::engine {

void PassResult::appendText(std::string& out, Output output) const {
  if (!isWritten(output)) return;
  if (isList(output)) {
    formatSumList(out, list(output));
  } else {
    out.append(verdictText(verdict(output)));
  }
}

std::string PassResult::text(Output output) const {
  std::string text;
  appendText(text, output);
  return text;
}

}  // namespace quorvel::engine
