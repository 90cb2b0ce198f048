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

std::string_view stepName(FailureStep step) {
  switch (step) {
    case FailureStep::Unknown:
      return "the pass";
    case FailureStep::LatestDigits:
      return "the latest digits";
    case FailureStep::DerivedValues:
      return "the latest sum's tail and the diagonal parities";
    case FailureStep::TailVotes:
      return "the tail votes";
    case FailureStep::KeyRules:
      return "the key rules";
    case FailureStep::AttributeProducts:
      return "the attribute products";
    case FailureStep::DrawShift:
      return "the draw shift";
  }
  return "";
}

}  // namespace quorvel
