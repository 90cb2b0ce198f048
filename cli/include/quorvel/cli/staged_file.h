#pragma once

#include <sys/types.h>

#include <fstream>
#include <optional>
#include <string>

namespace quorvel::cli {

// Where a path points: the file's device and inode when it exists, or else its folder's and its
// own name, so that two spellings of one file compare equal before either is written.
struct FileIdentity {
  dev_t device;
  ino_t inode;
  std::string name;  // empty when the file exists
  bool operator==(const FileIdentity&) const = default;
};

// The identity of `path`, or nothing when neither it nor its folder can be looked at.
std::optional<FileIdentity> identify(const std::string& path);

// An output file that is written whole or not at all. It writes to a temporary file beside its
// target, which `commit` renames over the target; until then the target keeps what it held. A
// staged file that is destroyed, or a process ended by SIGINT or SIGTERM (see
// `removeStagedFilesOnSignal`), leaves no temporary file behind.
class StagedFile {
 public:
  // Creates the temporary file. Throws std::system_error, "cannot write TARGET: reason", when the
  // target's folder does not take it.
  explicit StagedFile(std::string target);
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  std::ostream& stream() { return stream_; }

  // Closes the temporary file and renames it over the target, keeping the target's permissions
  // (a new file gets the usual ones). Throws std::system_error when a write or the rename failed;
  // the target is then unchanged.
  void commit();

 private:
  std::string target_;
  std::string temporary_;
  int slot_;  // the temporary's place in the list the signal handler removes
  std::ofstream stream_;
  bool committed_ = false;
};

// Makes SIGINT and SIGTERM remove the temporary files of every live StagedFile before the process
// ends by the same signal.
void removeStagedFilesOnSignal();

}  // namespace quorvel::cli
