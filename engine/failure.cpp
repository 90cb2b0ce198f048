#include "quorvel/failure.h"

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

}  // namespace quorvel
