#pragma once

#include <cstdint>

#include "quorvel/backtest/problem.h"
#include "quorvel/backtest/record_reader.h"

namespace quorvel::backtest {

// The largest record a device with 2 GB of memory or less (most phones) tests in the page: a test
// there takes about 100 bytes of memory a draw at its peak (the record read, its digits and the
// shuffles' copies), so two million draws, about 31 MB, take some 200 MB, which such a device
// spares a page; twice that it may not.
inline constexpr std::uint64_t kSmallDeviceRecordBytes = std::uint64_t{32} << 20;
inline constexpr double kSmallDeviceGigabytes = 2;

// The largest record a device tests, and the fault that names a larger one: `gigabytes` is the
// device's memory as its browser tells it, 0 when it does not.
struct RecordLimit {
  std::uint64_t bytes;
  Fault fault;
};
constexpr RecordLimit recordLimit(double gigabytes) {
  if (gigabytes > 0 && gigabytes <= kSmallDeviceGigabytes)
    return {kSmallDeviceRecordBytes, Fault::TooLargeForDevice};
  return {kMaxRecordBytes, Fault::RecordTooLarge};
}

}  // namespace quorvel::backtest
