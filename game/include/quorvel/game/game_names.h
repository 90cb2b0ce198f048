#pragma once

#include <array>
#include <optional>
#include <string_view>

// The words by which records and their files name a daily three-digit game: the welfare lottery's
// 3D and the sports lottery's 排列三, whose draws look just the same and must never join each
// other's record.
namespace quorvel::game {

struct GameNames {
  std::string_view name;                 // as a player names it
  std::array<std::string_view, 5> words;  // as records and file names write them, any case
};

inline constexpr GameNames kWelfare3DNames{"福彩3D", {"福彩", "3d", "fc3d", "福利彩票", "welfare"}};
inline constexpr GameNames kSportsPick3Names{"排列三", {"排列三", "排列3", "pl3", "pls", "体彩"}};

// Whether `text` (a file name, a header) names the game by one of its words, a Latin word not
// inside a longer one ("pl3" in "pl3-2026.csv", not in "apl3x").
constexpr bool names(const GameNames& game, std::string_view text) {
  const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  for (const std::string_view word : game.words) {
    for (std::size_t at = 0; at + word.size() <= text.size(); ++at) {
      bool same = true;
      for (std::size_t i = 0; i < word.size() && same; ++i) {
        const char c = text[at + i];
        same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == word[i] ||
               c == word[i];
      }
      if (!same) continue;
      const bool wordStart = at == 0 || !letter(text[at - 1]) || !letter(word.front());
      const bool wordEnd = at + word.size() == text.size() || !letter(text[at + word.size()]) ||
                           !letter(word.back());
      if (wordStart && wordEnd) return true;
    }
  }
  return false;
}

}  // namespace quorvel::game
