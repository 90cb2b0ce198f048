#pragma once

#include <array>
#include <cstdint>

namespace quorvel::engine {

// The eight outputs of a pass, by what each holds. Their order is the window's box order:
// Text2, Text3, Text4 hold the lists, Text5(0)...Text5(4) the verdicts.
enum class Output : std::uint8_t {
  PredictedRange,  // Text2
  KeyRange,        // Text3
  ExtremeNumbers,  // Text4
  MiddleEdge,      // Text5(0)
  BigSmall,        // Text5(1)
  OddEven,         // Text5(2)
  FrontBack,       // Text5(3)
  Mod3,            // Text5(4)
};
inline constexpr int kOutputs = 8;
inline constexpr int kLists = 3;     // the three lists come first
inline constexpr int kVerdicts = 5;  // then the five verdicts

// Every output, in Output order.
inline constexpr std::array<Output, kOutputs> kAllOutputs = {
    Output::PredictedRange, Output::KeyRange, Output::ExtremeNumbers, Output::MiddleEdge,
    Output::BigSmall,       Output::OddEven,  Output::FrontBack,      Output::Mod3};

// Whether an output is one of the lists (or else a verdict).
constexpr bool isList(Output output) { return static_cast<int>(output) < kLists; }

// The order in which a pass writes its outputs. A pass that fails has written a prefix of it.
inline constexpr std::array<Output, kOutputs> kWriteOrder = {
    Output::PredictedRange, Output::KeyRange, Output::ExtremeNumbers, Output::MiddleEdge,
    Output::BigSmall,       Output::OddEven,  Output::Mod3,           Output::FrontBack};

}  // namespace quorvel::engine
