#include "quorvel/cli/tsv_filter.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "quorvel/cli/located_error.h"
#include "quorvel/cli/tsv_codec.h"

namespace quorvel::cli {
namespace {

constexpr std::size_t kBlock = 1 << 18;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class OutputBuffer {
 public:
  explicit OutputBuffer(int fd) : fd_(fd) { pending_.reserve(kBlock + 1024); }
  std::string& buffer() { return pending_; }
  void flushIfFull() {
    if (pending_.size() >= kBlock) flush();
  }
  void flush() {
    const char* data = pending_.data();
    std::size_t left = pending_.size();
    while (left > 0) {
      const ssize_t written = ::write(fd_, data, left);
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) throw std::system_error(errno, std::generic_category(), "write");
      data += written;
      left -= static_cast<std::size_t>(written);
    }
    pending_.clear();
  }

 private:
  int fd_;
  std::string pending_;
};

// Whether more input is ready to be read at once. Node's file system under WebAssembly cannot
// say, so there the answers go out when the buffer fills and at the end.
bool inputWaiting([[maybe_unused]] int fd) {
#if defined(__EMSCRIPTEN__)
  return true;
#else
  pollfd waiting{fd, POLLIN, 0};
  return ::poll(&waiting, 1, 0) > 0;
#endif
}

}  // namespace

void runFilter(int in, int out) {
  OutputBuffer output(out);
  std::size_t capacity = kBlock;
  std::unique_ptr<char[]> input(new char[capacity]);  // left unset: only what is read is used
  std::size_t begin = 0, end = 0;                     // the bytes read and not yet answered
  std::size_t scanned = 0;  // where the search for the next line end goes on
  std::size_t number = 0;
  engine::GridStrings decoded;
  engine::GridTexts fields;

  auto stop = [&](const auto& error) {
    output.flush();
    throw error;
  };
  auto answer = [&](std::string_view line) {
    ++number;
    if (number == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    try {
      splitLine(line, number, decoded, fields);
    } catch (const LocatedError& error) {
      stop(error);
    }
    appendResultLine(output.buffer(), engine::runPredictionPass(fields));
    output.flushIfFull();
  };

  for (;;) {
    if (begin > 0 && (end == capacity || begin == end)) {  // keep the partial line in front
      std::memmove(input.get(), input.get() + begin, end - begin);
      end -= begin;
      scanned -= begin;
      begin = 0;
    }
    if (end == capacity) {  // a long line, still within the limit
      const std::size_t larger = std::min(capacity * 2, kMaxLineBytes + kBlock);
      std::unique_ptr<char[]> grown(new char[larger]);
      std::memcpy(grown.get(), input.get(), end);
      input = std::move(grown);
      capacity = larger;
    }
    const ssize_t got = ::read(in, input.get() + end, capacity - end);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) stop(std::system_error(errno, std::generic_category(), "read"));
    if (got == 0) break;
    end += static_cast<std::size_t>(got);
    while (const void* feed = std::memchr(input.get() + scanned, '\n', end - scanned)) {
      const auto lineEnd = static_cast<std::size_t>(static_cast<const char*>(feed) - input.get());
      if (lineEnd - begin > kMaxLineBytes) stop(lineTooLong(number + 1));
      answer(std::string_view(input.get() + begin, lineEnd - begin));
      begin = scanned = lineEnd + 1;
    }
    scanned = end;
    if (end - begin > kMaxLineBytes) stop(lineTooLong(number + 1));
    if (!output.buffer().empty() && !inputWaiting(in)) output.flush();
  }
  if (begin < end) answer(std::string_view(input.get() + begin, end - begin));
  output.flush();
}

}  // namespace quorvel::cli
