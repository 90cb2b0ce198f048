#pragma once

#include <cstdint>
#include <exception>

#include "quorvel/failure.h"

namespace quorvel {

// Thrown where a failure arises inside an action; the action catches it once at its top, which
// stops it at once with everything written so far left in place.
class PassStopped : public std::exception {
 public:
  explicit PassStopped(Failure failure) : failure_(failure) {}
  Failure failure() const { return failure_; }
  const char* what() const noexcept override;

 private:
  Failure failure_;
};

[[noreturn]] void raiseOverflow();
[[noreturn]] void raiseSubscript();

// An integer result stored as a signed 16-bit integer; Overflow when it does not fit.
inline std::int16_t checkedInt16(std::int32_t value) {
  if (value < INT16_MIN || value > INT16_MAX) raiseOverflow();
  return static_cast<std::int16_t>(value);
}

}  // namespace quorvel
