#pragma once

#include <emscripten/bind.h>

#include <algorithm>
#include <cstdint>
#include <streambuf>
#include <string>
#include <vector>

#include "quorvel/engine/grid.h"

// How the page's bridges move C++ values to JavaScript and back.
namespace quorvel::web {

// Twelve cell texts from a JavaScript array of strings; missing cells are empty.
inline engine::GridStrings gridOf(const emscripten::val& cells) {
  const std::vector<std::string> texts = emscripten::vecFromJSArray<std::string>(cells);
  engine::GridStrings grid;
  for (std::size_t i = 0; i < grid.size() && i < texts.size(); ++i) grid[i] = texts[i];
  return grid;
}

// A record's bytes read as a stream a megabyte at a time, so that a large record is never held
// whole in the module's memory, whose size never shrinks: `source` is { size, read(offset,
// length) }, read giving a Uint8Array of the bytes from offset (a worker reads a player's file
// in slices, never whole).
class JsBytesBuffer : public std::streambuf {
 public:
  explicit JsBytesBuffer(const emscripten::val& source)
      : source_(source), size_(source["size"].as<std::size_t>()), chunk_(kChunk) {}

  std::size_t size() const { return size_; }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (next_ >= size_) return traits_type::eof();
    const std::size_t n = std::min(kChunk, size_ - next_);
    emscripten::val(
        emscripten::typed_memory_view(n, reinterpret_cast<std::uint8_t*>(chunk_.data())))
        .call<void>("set", source_.call<emscripten::val>("read", next_, n));
    next_ += n;
    setg(chunk_.data(), chunk_.data(), chunk_.data() + n);
    return traits_type::to_int_type(*gptr());
  }

 private:
  static constexpr std::size_t kChunk = std::size_t{1} << 20;
  emscripten::val source_;
  std::size_t size_, next_ = 0;
  std::vector<char> chunk_;
};

// A table of texts as an array of rows, each an array of its cells.
template <class Row>
emscripten::val rowsOf(const std::vector<Row>& table) {
  emscripten::val rows = emscripten::val::array();
  for (const Row& row : table) {
    emscripten::val cells = emscripten::val::array();
    for (const std::string& cell : row) cells.call<void>("push", cell);
    rows.call<void>("push", cells);
  }
  return rows;
}

}  // namespace quorvel::web
