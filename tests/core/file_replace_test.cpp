// Replacing a file's content: protected files, several names, failures part
// way and the file's owner and mode.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fileio/file_bytes.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

// An unprivileged user and group that exist on every Debian system.
constexpr uid_t NOBODY = 65534;

class FileReplaceTest : public ::testing::Test {
 protected:
  fs::path folder = fs::temp_directory_path() / ("q2replace-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(folder); }
  void TearDown() override { fs::remove_all(folder); }
  std::string Path(const char* name) const { return (folder / name).string(); }
  static void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  int Entries() const { return static_cast<int>(std::distance(fs::directory_iterator(folder), {})); }
  static const ByteBuffer& NewBytes() {
    static const ByteBuffer bytes(5000, 'n');
    return bytes;
  }
};

TEST_F(FileReplaceTest, FilesTheUserMayNotWriteAreRefusedAndKept) {
  // No write bit at all: refused even for the superuser.
  const std::string locked = Path("locked.ico");
  Write(locked, "old");
  ::chmod(locked.c_str(), 0444);
  EXPECT_TRUE(IsWriteProtected(locked));
  EXPECT_EQ(WriteFileBytesSafely(locked, NewBytes()), WriteResult::OpenFailed);
  EXPECT_EQ(Read(locked), "old");

  const std::string open = Path("open.ico");
  Write(open, "old");
  EXPECT_FALSE(IsWriteProtected(open));

  // A file with write bits that this user may not use, in a folder the user
  // may write: replacing it by a rename would succeed, so only the rule
  // stops it. The superuser tries as an unprivileged user in a child.
  const std::string others = Path("others.ico");
  Write(others, "old");
  const bool root = ::geteuid() == 0;
  ::chmod(others.c_str(), root ? 0644 : 0464);
  ::chmod(folder.c_str(), 0777);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (root && (::setgid(NOBODY) != 0 || ::setuid(NOBODY) != 0)) ::_exit(100);
    ::_exit(static_cast<int>(WriteFileBytesSafely(others, NewBytes())));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(WriteResult::OpenFailed));
  EXPECT_EQ(Read(others), "old");
  EXPECT_EQ(Entries(), 3) << "no temporary is left";
}

TEST_F(FileReplaceTest, AFailureWhileOverwritingAHardLinkedFileRestoresIt) {
  const std::string one = Path("one.ico");
  const std::string two = Path("two.ico");
  Write(one, "old content");
  ASSERT_EQ(::link(one.c_str(), two.c_str()), 0);

  // Files may not grow past 1000 bytes, so the 5000 new bytes stop part way.
  const WriteResult result = WithFileSizeLimit(1000, [&two] { return WriteFileBytesSafely(two, NewBytes()); });

  EXPECT_EQ(result, WriteResult::WriteFailed);
  EXPECT_EQ(Read(one), "old content");
  EXPECT_EQ(Read(two), "old content");
  EXPECT_EQ(fs::hard_link_count(one), 2u);
  EXPECT_EQ(Entries(), 2) << "the backup is removed";

  ASSERT_EQ(WriteFileBytesSafely(two, NewBytes()), WriteResult::Ok);
  EXPECT_EQ(Read(one), std::string(5000, 'n'));
}

TEST_F(FileReplaceTest, TheReplacedFileKeepsItsModeAndOwner) {
  const std::string path = Path("kept.qpl");
  Write(path, "old");
  ::chmod(path.c_str(), 0640);
  // Only the superuser can give a file away; others keep their own files.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), NOBODY, NOBODY), 0);
  }
  ASSERT_EQ(WriteFileBytesSafely(path, NewBytes()), WriteResult::Ok);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, NOBODY);
    EXPECT_EQ(info.st_gid, NOBODY);
  }
  EXPECT_EQ(Read(path).size(), 5000u);
}

}  // namespace
