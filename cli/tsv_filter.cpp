#include "tsv_filter.h"

#include <istream>
#include <ostream>
#include <string>

#include "tsv_codec.h"

namespace quorvel::tsv {
namespace {

// Output is buffered up to this size, and flushed whenever the input has nothing more waiting,
// so a long run streams at full speed and an interactive one answers each line at once.
constexpr std::size_t kFlushAt = 1 << 16;

}  // namespace

void runFilter(std::istream& in, std::ostream& out) {
  GridStrings cells;
  std::string line;
  std::string pending;
  pending.reserve(kFlushAt + 1024);
  auto flush = [&] {
    out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
    out.flush();
    pending.clear();
  };

  for (std::size_t number = 1;; ++number) {
    if (!pending.empty() && in.rdbuf()->in_avail() <= 0) flush();
    if (!std::getline(in, line)) break;
    try {
      decodeLine(line, number, cells);
    } catch (const LocatedError&) {
      flush();
      throw;
    }
    appendResultLine(pending, runPredictionPass(viewsOf(cells)));
    if (pending.size() >= kFlushAt) flush();
  }
  flush();
}

}  // namespace quorvel::tsv
