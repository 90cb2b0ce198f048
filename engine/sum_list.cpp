#include "quorvel/engine/sum_list.h"

#include <array>
#include <cstring>

namespace quorvel::engine {
namespace {

// The text of every subset of four consecutive sums 4g...4g+3, so that a list is written seven
// pieces at a time rather than one sum at a time.
struct Piece {
  char text[16];
  std::size_t length;
};
constexpr int kGroups = kSumCount / 4;

constexpr std::array<std::array<Piece, 16>, kGroups> kPieces = [] {
  std::array<std::array<Piece, 16>, kGroups> pieces{};
  for (int group = 0; group < kGroups; ++group) {
    for (unsigned subset = 0; subset < 16; ++subset) {
      Piece& piece = pieces[static_cast<std::size_t>(group)][subset];
      for (int bit = 0; bit < 4; ++bit) {
        if ((subset >> bit & 1U) == 0) continue;
        const int s = 4 * group + bit;
        if (s >= 10) piece.text[piece.length++] = static_cast<char>('0' + s / 10);
        piece.text[piece.length++] = static_cast<char>('0' + s % 10);
        piece.text[piece.length++] = ' ';
      }
    }
  }
  return pieces;
}();

}  // namespace

void formatSumList(std::string& out, SumSet set) {
  constexpr std::size_t kLongestList = 74;  // all 28 sums
  char text[kLongestList + sizeof(Piece::text)];
  char* end = text;
  for (std::size_t group = 0; group < kGroups; ++group) {
    const Piece& piece = kPieces[group][set >> (4 * group) & 15U];
    std::memcpy(end, piece.text, sizeof piece.text);  // a whole piece; only its length counts
    end += piece.length;
  }
  out.append(text, end);
}

}  // namespace quorvel::engine
