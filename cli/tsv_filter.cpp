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

int runFilter(std::istream& in, std::ostream& out, std::ostream& err) {
  GridStrings cells;
  std::string line;
  std::string pending;
  pending.reserve(kFlushAt + 1024);
  auto flush = [&] {
    out.write(pending.data(), static_cast<std::streamsize>(pending.size()));
    out.flush();
    pending.clear();
  };

  for (unsigned long long number = 1;; ++number) {
    if (!pending.empty() && in.rdbuf()->in_avail() <= 0) flush();
    if (!std::getline(in, line)) break;
    if (const std::string error = decodeLine(line, cells); !error.empty()) {
      flush();
      err << "quorvel-predict: line " << number << ": " << error << '\n';
      return 2;
    }
    appendResultLine(pending, runPredictionPass(viewsOf(cells)));
    if (pending.size() >= kFlushAt) flush();
  }
  flush();
  return 0;
}

}  // namespace quorvel::tsv
