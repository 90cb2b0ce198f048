#pragma once

namespace quorvel {

// The classes the attribute calls name, for a draw result r from 0 to 27: a candidate sum, or a
// product reduced to a remainder. A negative remainder is in none of them.
constexpr bool isMiddle(int r) { return r >= 7 && r <= 20; }  // the edges are 0-6 and 21-27
constexpr bool isBig(int r) { return r >= 14; }               // small is 0-13

// The front half of the twelve-sign cycle, for r = x mod 12: 10, 11, 0, 1, 2, 3.
constexpr bool isFrontHalf(int r) { return r >= 10 || (r >= 0 && r <= 3); }

}  // namespace quorvel
