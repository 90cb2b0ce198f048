#include "quorvel/cli/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>

namespace quorvel::cli {
namespace {

// A stream buffer that writes to a file descriptor and remembers why its first write failed;
// everything after that failure is dropped, since the output is already incomplete.
class DescriptorOutput : public std::streambuf {
 public:
  explicit DescriptorOutput(int fd) : fd_(fd) { reset(); }
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (sync() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  int sync() override {
    const char* data = pbase();
    auto left = static_cast<std::size_t>(pptr() - pbase());
    while (left > 0 && error_ == 0) {
      const ssize_t written = ::write(fd_, data, left);
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) {
        error_ = errno;
        break;
      }
      data += written;
      left -= static_cast<std::size_t>(written);
    }
    reset();
    return error_ == 0 ? 0 : -1;
  }

 private:
  void reset() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

  int fd_;
  int error_ = 0;
  std::array<char, 1 << 14> buffer_;
};

// Never destroyed: std::cout may still be flushed while the program's statics go.
DescriptorOutput* standardOutput = nullptr;

}  // namespace

void prepareStandardStreams() {
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open() takes the lowest free descriptor, which is this one.
    ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
  }
  standardOutput = new DescriptorOutput(STDOUT_FILENO);
  std::cout.rdbuf(standardOutput);
}

bool flushStandardOutput() {
  std::cout.flush();
  return standardOutput == nullptr || standardOutput->error() == 0;
}

int finishOutput(const char* program, int status) {
  if (!flushStandardOutput()) {
    std::cerr << program
              << ": cannot write standard output: " << std::strerror(standardOutput->error())
              << '\n';
    status = 1;
  }
  std::cerr.flush();
  if (!std::cerr || std::fflush(stderr) != 0 || std::ferror(stderr) != 0) status = 1;
  return status;
}

}  // namespace quorvel::cli
