#include "quorvel/cli/staged_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace quorvel::cli {
namespace {

namespace fs = std::filesystem;

// A scratch folder holding `old.txt` ("last week's rows"), removed with everything in it.
class StagedFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "staged.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    std::ofstream(target()) << "last week's rows\n";
    fs::permissions(target(), fs::perms(0640));
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string target() const { return (dir_ / "old.txt").string(); }
  std::string contents() const {
    std::ostringstream text;
    text << std::ifstream(target()).rdbuf();
    return text.str();
  }
  std::size_t files() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }
  fs::path dir_;
};

TEST_F(StagedFileTest, TheTargetChangesOnlyOnCommitAndKeepsItsPermissions) {
  StagedFile staged(target());
  staged.stream() << "new rows\n";
  staged.stream().flush();
  EXPECT_EQ(contents(), "last week's rows\n");
  staged.commit();
  EXPECT_EQ(contents(), "new rows\n");
  EXPECT_EQ(fs::status(target()).permissions(), fs::perms(0640));
  EXPECT_EQ(files(), 1u);
}

TEST_F(StagedFileTest, AFileNeverCommittedLeavesTheTargetAndNoTemporary) {
  {
    StagedFile staged(target());
    staged.stream() << "half a row";
  }
  EXPECT_EQ(contents(), "last week's rows\n");
  EXPECT_EQ(files(), 1u);
}

TEST_F(StagedFileTest, AMissingFolderFailsAtOnceWithTheSystemsReason) {
  try {
    StagedFile staged((dir_ / "no" / "rows.csv").string());
    FAIL() << "a file was staged in a missing folder";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code().value(), ENOENT);
  }
}

TEST_F(StagedFileTest, ASignalRemovesTheTemporaryAndEndsTheProcessByIt) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    removeStagedFilesOnSignal();
    StagedFile staged(target());
    staged.stream() << "rows that will never be whole" << std::flush;
    std::raise(SIGTERM);
    std::_Exit(0);  // not reached
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(contents(), "last week's rows\n");
  EXPECT_EQ(files(), 1u);
}

TEST_F(StagedFileTest, TwoSpellingsOfOneFileHaveOneIdentityWhetherOrNotItExists) {
  const std::string folder = dir_.string();
  EXPECT_EQ(identify(folder + "/old.txt"), identify(folder + "/./old.txt"));
  EXPECT_EQ(identify(folder + "/new.csv"), identify(folder + "//new.csv"));
  EXPECT_NE(identify(folder + "/new.csv"), identify(folder + "/old.txt"));
  EXPECT_NE(identify(folder + "/new.csv"), identify(folder + "/other.csv"));
  EXPECT_EQ(identify(folder + "/no/such/file"), std::nullopt);
}

}  // namespace
}  // namespace quorvel::cli
