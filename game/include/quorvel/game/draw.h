#pragma once

#include <cstdint>

namespace quorvel::game {

// A period draws three digits, each 0...9, independently and uniformly; its result is their sum.
inline constexpr int kDigitValues = 10;
inline constexpr int kDigitsDrawn = 3;
inline constexpr int kLargestSum = kDigitsDrawn * (kDigitValues - 1);  // 27
inline constexpr int kSumValues = kLargestSum + 1;                     // 0...27
inline constexpr int kEquallyLikelyDraws = 1000;                       // 10 x 10 x 10

// The game draws every day but the days the lottery closes for the Spring Festival: its whole
// years hold 351 or 352 draws.
inline constexpr int kDrawsAYear = 351;

// Whether `value` can be a drawn digit, or a period's sum.
constexpr bool isDigit(double value) {
  return value >= 0 && value < kDigitValues && value == static_cast<int>(value);
}
constexpr bool isSum(double value) {
  return value >= 0 && value <= kLargestSum && value == static_cast<int>(value);
}

// A draw: its period and its three digits. Small, since a record may hold millions.
struct Draw {
  std::uint64_t period;
  std::uint8_t digits[kDigitsDrawn];
  int sum() const { return digits[0] + digits[1] + digits[2]; }
  bool sameDigits(const Draw& other) const {
    return digits[0] == other.digits[0] && digits[1] == other.digits[1] &&
           digits[2] == other.digits[2];
  }
};

}  // namespace quorvel::game
