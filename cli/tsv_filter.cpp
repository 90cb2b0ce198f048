#include "tsv_filter.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>
#include <utility>

#include "tsv_codec.h"

namespace quorvel::tsv {
namespace {

constexpr std::size_t kBlock = 1 << 18;

class Output {
 public:
  explicit Output(int fd) : fd_(fd) { pending_.reserve(kBlock + 1024); }
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

bool inputWaiting(int fd) {
  pollfd waiting{fd, POLLIN, 0};
  return ::poll(&waiting, 1, 0) > 0;
}

}  // namespace

void runFilter(int in, int out) {
  Output output(out);
  std::size_t capacity = kBlock;
  auto input = std::make_unique_for_overwrite<char[]>(capacity);
  std::size_t begin = 0, end = 0;  // the bytes read and not yet answered
  std::size_t number = 0;
  GridStrings decoded;
  GridTexts fields;

  auto answer = [&](std::string_view line) {
    ++number;
    try {
      splitLine(line, number, decoded, fields);
    } catch (...) {
      output.flush();
      throw;
    }
    appendResultLine(output.buffer(), runPredictionPass(fields));
    output.flushIfFull();
  };

  for (;;) {
    if (begin > 0 && (end == capacity || begin == end)) {  // keep the partial line in front
      std::memmove(input.get(), input.get() + begin, end - begin);
      end -= begin;
      begin = 0;
    }
    if (end == capacity) {  // a line longer than the buffer
      auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
      std::memcpy(larger.get(), input.get(), end);
      input = std::move(larger);
      capacity *= 2;
    }
    const ssize_t got = ::read(in, input.get() + end, capacity - end);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw std::system_error(errno, std::generic_category(), "read");
    if (got == 0) break;
    end += static_cast<std::size_t>(got);
    for (;;) {
      const void* feed = std::memchr(input.get() + begin, '\n', end - begin);
      if (feed == nullptr) break;
      const auto stop = static_cast<std::size_t>(static_cast<const char*>(feed) - input.get());
      answer(std::string_view(input.get() + begin, stop - begin));
      begin = stop + 1;
    }
    if (!output.buffer().empty() && !inputWaiting(in)) output.flush();
  }
  if (begin < end) answer(std::string_view(input.get() + begin, end - begin));
  output.flush();
}

}  // namespace quorvel::tsv
