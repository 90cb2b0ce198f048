#pragma once

#include <cstdint>
#include <exception>
#include <utility>

#include "quorvel/engine/failure.h"

namespace quorvel::engine {

// Thrown where a failure arises inside an action; the action catches it once at its top, which
// stops it at once with everything written so far left in place.
class PassStopped : public std::exception {
 public:
  explicit PassStopped(Failure failure) : failure_(failure) {}
  Failure failure() const { return failure_; }
  const FailureCause& cause() const { return cause_; }
  // The innermost step that knows its cells names them; later ones keep that.
  void blame(const FailureCause& cause) {
    if (cause_.step == FailureStep::Unknown) cause_ = cause;
  }
  const char* what() const noexcept override;

 private:
  Failure failure_;
  FailureCause cause_;
};

[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseSubscript();

// Runs `compute` and, should it stop the action, names `cause` as where that arose. The
// rounding and counter helpers know the value, not the cells it came from; this adds them.
template <class Compute>
decltype(auto) blamingCells(const FailureCause& cause, Compute&& compute) {
  try {
    return std::forward<Compute>(compute)();
  } catch (PassStopped& stopped) {
    stopped.blame(cause);
    throw;
  }
}

// An integer result stored as a signed 16-bit integer; Overflow when it does not fit.
inline std::int16_t checkedInt16(std::int32_t value) {
  if (value < INT16_MIN || value > INT16_MAX) raiseOverflow();
  return static_cast<std::int16_t>(value);
}

}  // namespace quorvel::engine
