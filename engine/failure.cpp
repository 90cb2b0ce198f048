#include "quorvel/failure.h"

#include "pass_failure.h"

namespace quorvel {

std::string_view failureName(Failure failure) {
  switch (failure) {
    case Failure::None:
      return "";
    case Failure::Overflow:
      return "溢出";
    case Failure::Subscript:
      return "下标越界";
  }
  return "";
}

std::string failureReport(Failure failure) {
  return "运行时错误 '" + std::to_string(static_cast<int>(failure)) + "'：" +
         std::string(failureName(failure));
}

const char* PassStopped::what() const noexcept {
  return failure_ == Failure::Overflow ? "overflow" : "subscript out of range";
}

void raiseOverflow() { throw PassStopped(Failure::Overflow); }
void raiseSubscript() { throw PassStopped(Failure::Subscript); }

}  // namespace quorvel
