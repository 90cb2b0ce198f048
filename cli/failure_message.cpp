#include "failure_message.h"

namespace quorvel {

std::string failureMessage(Failure failure, const FailureCause& cause, const GridTexts& cells) {
  std::string message = failureReport(failure);
  if (cause.cells().empty()) return message;
  const char* joint = cause.combination == CellCombination::Product ? " × " : " + ";
  message += " — ";
  bool first = true;
  for (const int cell : cause.cells()) {
    if (!first) message += joint;
    first = false;
    message += "cell " + std::to_string(cell + 1) + " \"";
    message += cells[static_cast<std::size_t>(cell)];
    message += '"';
  }
  message += " in ";
  message += stepName(cause.step);
  return message;
}

}  // namespace quorvel
