#include "pass_stopped.h"

namespace quorvel::engine {

const char* PassStopped::what() const noexcept {
  return failure_ == Failure::Overflow ? "overflow" : "subscript out of range";
}

void raiseOverflow() { throw PassStopped(Failure::Overflow); }
void raiseSubscript() { throw PassStopped(Failure::Subscript); }

}  // namespace quorvel::engine
