#include "quorvel/cli/staged_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>

namespace quorvel::cli {
namespace {

// The temporary files to remove on a signal. The handler may run between any two instructions,
// so a slot's path is written whole before the slot is marked live.
struct Slot {
  std::array<char, 4096> path;
  volatile std::sig_atomic_t live;
};
std::array<Slot, 8> slots{};

int claimSlot(const std::string& path) {
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i].live || path.size() >= slots[i].path.size()) continue;
    std::memcpy(slots[i].path.data(), path.c_str(), path.size() + 1);
    slots[i].live = 1;
    return static_cast<int>(i);
  }
  return -1;  // more outputs than slots: this one is left to its destructor
}

void releaseSlot(int slot) {
  if (slot >= 0) slots[static_cast<std::size_t>(slot)].live = 0;
}

extern "C" void removeAndReraise(int signal) {
  for (Slot& slot : slots) {
    if (slot.live) ::unlink(slot.path.data());
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

std::pair<std::string, std::string> folderAndName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

[[noreturn]] void fail(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

}  // namespace

std::optional<FileIdentity> identify(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return FileIdentity{info.st_dev, info.st_ino, ""};
  const auto [folder, name] = folderAndName(path);
  if (::stat(folder.c_str(), &info) == 0) return FileIdentity{info.st_dev, info.st_ino, name};
  return std::nullopt;
}

StagedFile::StagedFile(std::string target) : target_(std::move(target)) {
  const auto [folder, name] = folderAndName(target_);
  std::string pattern = folder + "/." + name + ".XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) fail(errno, "cannot write " + target_);
  ::close(fd);
  temporary_ = pattern;
  slot_ = claimSlot(temporary_);
  stream_.open(temporary_, std::ios::binary | std::ios::trunc);
  if (!stream_) {
    const int error = errno;
    ::unlink(temporary_.c_str());
    releaseSlot(slot_);
    fail(error, "cannot write " + target_);
  }
}

StagedFile::~StagedFile() {
  if (committed_) return;
  stream_.close();
  ::unlink(temporary_.c_str());
  releaseSlot(slot_);
}

void StagedFile::commit() {
  errno = 0;
  stream_.close();
  if (!stream_) fail(errno != 0 ? errno : EIO, "cannot write " + target_);
  struct stat info {};
  mode_t mode = 0;
  if (::stat(target_.c_str(), &info) == 0) {
    mode = info.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::chmod(temporary_.c_str(), mode) != 0 ||
      ::rename(temporary_.c_str(), target_.c_str()) != 0) {
    fail(errno, "cannot write " + target_);
  }
  committed_ = true;
  releaseSlot(slot_);
}

void removeStagedFilesOnSignal() {
  struct sigaction action {};
  action.sa_handler = removeAndReraise;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

}  // namespace quorvel::cli
