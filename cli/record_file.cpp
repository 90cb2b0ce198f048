#include "quorvel/cli/record_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace quorvel::cli {
namespace {

// The system's error number for a record that cannot be read, or 0 when it can. "-" is
// standard input, which may be closed or a folder.
int unreadable(const std::string& path) {
  const bool standardInput = path == "-";
  struct stat info {};
  if ((standardInput ? ::fstat(STDIN_FILENO, &info) : ::stat(path.c_str(), &info)) != 0) {
    return errno;
  }
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!standardInput && ::access(path.c_str(), R_OK) != 0) return errno;
  return 0;
}

std::system_error cannotRead(int error, const std::string& path) {
  return std::system_error(error, std::generic_category(), "cannot read " + recordName(path));
}

}  // namespace

std::string recordName(const std::string& path) { return path == "-" ? "standard input" : path; }

backtest::Record readRecordFile(const std::string& path) {
  const bool standardInput = path == "-";
  if (const int error = unreadable(path); error != 0) throw cannotRead(error, path);
  std::ifstream file;
  if (!standardInput) file.open(path, std::ios::binary);
  std::istream& in = standardInput ? std::cin : file;
  errno = 0;
  backtest::Record record = backtest::readRecord(in);
  if (in.bad() || (standardInput && std::ferror(stdin) != 0)) {
    throw cannotRead(errno != 0 ? errno : EIO, path);
  }
  return record;
}

std::string shippedRecordPath(const game::Game& game) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path folder =
      error ? std::filesystem::path(QUORVEL_RECORDS_FROM_PROGRAM)
            : program.parent_path() / QUORVEL_RECORDS_FROM_PROGRAM;
  return (folder / game.recordFile).lexically_normal().string();
}

words::Language localeLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* locale = std::getenv(variable); locale != nullptr && *locale != '\0') {
      return words::languageForLocale(locale);
    }
  }
  return words::languageForLocale("");
}

}  // namespace quorvel::cli
