#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "quorvel/engine/output.h"

namespace quorvel::engine {

// The calls an attribute rule can make, grouped by the box that shows them.
enum class Verdict : std::uint8_t {
  Middle,
  Edge,  // Text5(0)
  Big,
  Small,  // Text5(1)
  Even,
  Odd,  // Text5(2)
  Front,
  Back,  // Text5(3)
  Mod3Is0,
  Mod3Is1,
  Mod3Is2,  // Text5(4)
  NoCall,   // Text5(4): no remainder class won
};
inline constexpr int kVerdictValues = 12;  // every Verdict, NoCall included

// The verdict as its box shows it, such as "中边：中", "3N：3２" or "无".
std::string_view verdictText(Verdict verdict);

// The box a verdict is written in: Text5(0) for Middle and Edge, ..., Text5(4) for the remainder
// calls and NoCall.
constexpr Output boxOf(Verdict verdict) {
  constexpr std::array<Output, kVerdictValues> kBoxes = {
      Output::MiddleEdge, Output::MiddleEdge, Output::BigSmall,  Output::BigSmall,
      Output::OddEven,    Output::OddEven,    Output::FrontBack, Output::FrontBack,
      Output::Mod3,       Output::Mod3,       Output::Mod3,      Output::Mod3};
  return kBoxes[static_cast<std::size_t>(verdict)];
}

// The classes the attribute calls name, for a draw result r from 0 to 27: a candidate sum, or a
// product reduced to a remainder. A negative remainder is in none of them.
constexpr bool isMiddle(int r) { return r >= 7 && r <= 20; }  // the edges are 0-6 and 21-27
constexpr bool isBig(int r) { return r >= 14; }               // small is 0-13

// The front half of the twelve-sign cycle, for r = x mod 12: 10, 11, 0, 1, 2, 3.
constexpr bool isFrontHalf(int r) { return r >= 10 || (r >= 0 && r <= 3); }

// Whether a draw whose sum is `sum` (0...27) proves the verdict right. NoCall is never right.
constexpr bool verdictHolds(Verdict verdict, int sum) {
  switch (verdict) {
    case Verdict::Middle:
      return isMiddle(sum);
    case Verdict::Edge:
      return !isMiddle(sum);
    case Verdict::Big:
      return isBig(sum);
    case Verdict::Small:
      return !isBig(sum);
    case Verdict::Even:
      return sum % 2 == 0;
    case Verdict::Odd:
      return sum % 2 == 1;
    case Verdict::Front:
      return isFrontHalf(sum % 12);
    case Verdict::Back:
      return !isFrontHalf(sum % 12);
    case Verdict::Mod3Is0:
      return sum % 3 == 0;
    case Verdict::Mod3Is1:
      return sum % 3 == 1;
    case Verdict::Mod3Is2:
      return sum % 3 == 2;
    case Verdict::NoCall:
      return false;
  }
  return false;
}

}  // namespace quorvel::engine
