// Replacing a file's content: protected files, several names, failures part
// way, the file's owner and mode, other users' links and kills part way.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <random>
#include <thread>

#include "platform/file_bytes.h"
#include "storage/save_leftovers.h"
#include "storage/theme_folder.h"
#include "tests/support/as_user.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

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

// The entries of a folder, sorted.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(FileReplaceTest, AnotherUsersFileKeepsItsOwnerAndGroup) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs the superuser to make files of other users";
  // A shared folder, with and without the sticky bit; a file of one user
  // that a second user may write; and a file of the second user whose group
  // that user does not belong to.
  for (const mode_t folderMode : {0777, 01777}) {
    SCOPED_TRACE(folderMode);
    ::chmod(folder.c_str(), folderMode);
    const std::string shared = Path("shared.ico");
    const std::string grouped = Path("grouped.ico");
    Write(shared, "old");
    Write(grouped, "old");
    ASSERT_EQ(::chown(shared.c_str(), NOBODY, NOBODY), 0);
    ASSERT_EQ(::chmod(shared.c_str(), 0666), 0);
    ASSERT_EQ(::chown(grouped.c_str(), STRANGER, 0), 0);
    ASSERT_EQ(::chmod(grouped.c_str(), 0664), 0);

    EXPECT_EQ(RunAsUser(STRANGER, [&] { return static_cast<int>(WriteFileBytesSafely(shared, NewBytes())); }),
              static_cast<int>(WriteResult::Ok));
    EXPECT_EQ(RunAsUser(STRANGER, [&] { return static_cast<int>(WriteFileBytesSafely(grouped, NewBytes())); }),
              static_cast<int>(WriteResult::Ok));
    struct stat info {};
    ASSERT_EQ(::stat(shared.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, NOBODY);
    EXPECT_EQ(info.st_gid, NOBODY);
    EXPECT_EQ(info.st_mode & 07777, 0666u);
    ASSERT_EQ(::stat(grouped.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, STRANGER);
    EXPECT_EQ(info.st_gid, 0u);
    EXPECT_EQ(Read(shared).size(), 5000u);
    EXPECT_EQ(Read(grouped).size(), 5000u);
    EXPECT_EQ(Names(folder), (std::vector<std::string>{"grouped.ico", "shared.ico"})) << "nothing is left beside";
    fs::remove(shared);
    fs::remove(grouped);
  }
}

TEST_F(FileReplaceTest, LinksPlantedByAnotherUserInASharedFolderAreNotFollowed) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs the superuser to plant another user's links";
  // A sticky folder everyone may write, owned by the superuser, and a file
  // elsewhere that only the superuser may write.
  const fs::path sticky = folder / "sticky";
  fs::create_directory(sticky);
  ::chmod(sticky.c_str(), 01777);
  const std::string target = Path("target.ico");
  Write(target, "old");
  const auto plant = [&sticky](const char* name, const std::string& to, uid_t owner) {
    const std::string link = (sticky / name).string();
    EXPECT_EQ(::symlink(to.c_str(), link.c_str()), 0);
    EXPECT_EQ(::lchown(link.c_str(), owner, owner), 0);
    return link;
  };
  const std::string planted = plant("planted.ico", target, NOBODY);
  const std::string folderLink = plant("folder", folder.string(), NOBODY);
  // A link of the saving user that leads to the planted one: every link on
  // the way is checked.
  const std::string chained = Path("mine.ico");
  ASSERT_EQ(::symlink(planted.c_str(), chained.c_str()), 0);

  for (const std::string& path : {planted, folderLink + "/target.ico", chained}) {
    WriteProblem problem = WriteProblem::None;
    EXPECT_EQ(WriteFileBytesSafely(path, NewBytes(), &problem), WriteResult::OpenFailed) << path;
    EXPECT_EQ(problem, WriteProblem::LinkRefused) << path;
  }
  EXPECT_EQ(Read(target), "old");
  EXPECT_TRUE(fs::is_symlink(planted));

  // The folder's owner's links, and a user's own, are followed.
  const std::string owners = plant("owners.ico", target, 0);
  ASSERT_EQ(WriteFileBytesSafely(owners, NewBytes()), WriteResult::Ok);
  EXPECT_EQ(Read(target).size(), 5000u);
  const std::string own = (sticky / "own.ico").string();
  Write(own, "old");
  ::chown(own.c_str(), NOBODY, NOBODY);
  const std::string ownLink = plant("own-link.ico", own, NOBODY);
  EXPECT_EQ(RunAsUser(NOBODY, [&] { return static_cast<int>(WriteFileBytesSafely(ownLink, NewBytes())); }),
            static_cast<int>(WriteResult::Ok));
  EXPECT_EQ(Read(own).size(), 5000u);
  EXPECT_TRUE(fs::is_symlink(ownLink));
}

TEST_F(FileReplaceTest, AWritableFileInAFolderTheUserMayNotWriteIsWrittenInPlace) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs the superuser to make another user's file";
  // The folder belongs to the superuser; the file and a spare folder for
  // its backup belong to the user.
  ::chmod(folder.c_str(), 0755);
  const std::string path = Path("mine.ico");
  Write(path, "old");
  ::chown(path.c_str(), NOBODY, NOBODY);
  const fs::path spare = fs::temp_directory_path() / ("q2spare-" + std::to_string(::getpid()));
  fs::create_directory(spare);
  ::chown(spare.c_str(), NOBODY, NOBODY);
  const auto saveWithCache = [&](const std::string& target, const std::string& cache) {
    return RunAsUser(NOBODY, [&] {
      ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
      WriteProblem problem = WriteProblem::None;
      const WriteResult result = WriteFileBytesSafely(target, NewBytes(), &problem);
      return static_cast<int>(result) * 10 + static_cast<int>(problem);
    });
  };
  const int ok = static_cast<int>(WriteResult::Ok) * 10;
  const int refused = static_cast<int>(WriteResult::OpenFailed) * 10;

  EXPECT_EQ(saveWithCache(path, spare.string()), ok);
  EXPECT_EQ(Read(path).size(), 5000u);
  EXPECT_EQ(Names(folder), std::vector<std::string>{"mine.ico"});
  EXPECT_EQ(Names(spare / "quillet2"), std::vector<std::string>{}) << "the backup is removed";

  // Without any place for the old content the folder is the reason; a new
  // file has no old content, only the folder that takes no file.
  Write(path, "old");
  EXPECT_EQ(saveWithCache(path, folder.string()), refused + static_cast<int>(WriteProblem::FolderNotWritable));
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(saveWithCache(Path("new.ico"), spare.string()),
            refused + static_cast<int>(WriteProblem::NoNewFileInFolder));
  fs::remove_all(spare);
}

// A cursor theme exported into a shared folder: folders and links another
// user put there are refused and the user's file they lead to stays; a
// failure part way leaves nothing the export made.
TEST_F(FileReplaceTest, ACursorThemeIsWrittenOnlyIntoTheUsersOwnFoldersAndWholeOrNotAtAll) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs the superuser to make other users' folders";
  ::chmod(folder.c_str(), 0755);
  const fs::path shared = folder / "shared";
  fs::create_directory(shared);
  ::chmod(shared.c_str(), 01777);
  // The file the links lead to, in a folder of the exporting user.
  fs::create_directory(folder / "home");
  ::chown((folder / "home").c_str(), NOBODY, NOBODY);
  const std::string victim = Path("home/victim");
  Write(victim, "old");
  ::chown(victim.c_str(), NOBODY, NOBODY);
  // Makes a folder (or link, or FIFO) of the owner under the theme.
  const auto make = [](const fs::path& path, uid_t owner, char kind, const std::string& to = {}) {
    if (kind == 'd') fs::create_directory(path);
    if (kind == 'l') fs::create_symlink(to, path);
    if (kind == 'p') ::mkfifo(path.c_str(), 0600);
    ::chmod(path.c_str(), 0777);
    EXPECT_EQ(::lchown(path.c_str(), owner, owner), 0) << path;
  };
  const fs::path theme = shared / "Theme";
  const struct {
    const char* what;
    std::function<void()> plant;
    const char* cursorName;
    WriteProblem problem;
  } cases[] = {
      {"another user's theme with a link in its cursors folder",
       [&] {
         make(theme, STRANGER, 'd');
         make(theme / "cursors", STRANGER, 'd');
         make(theme / "cursors/left_ptr", STRANGER, 'l', victim);
       },
       "left_ptr", WriteProblem::OtherUsersFolder},
      {"another user's cursors folder in the user's theme",
       [&] {
         make(theme, NOBODY, 'd');
         make(theme / "cursors", STRANGER, 'd');
         make(theme / "cursors/left_ptr", STRANGER, 'l', victim);
       },
       "left_ptr", WriteProblem::OtherUsersFolder},
      {"another user's link in the user's cursors folder",
       [&] {
         make(theme, NOBODY, 'd');
         make(theme / "cursors", NOBODY, 'd');
         make(theme / "cursors/left_ptr", STRANGER, 'l', victim);
       },
       "left_ptr", WriteProblem::LinkRefused},
      {"a cursor name that is no file", [&] {
         make(theme, NOBODY, 'd');
         make(theme / "cursors", NOBODY, 'd');
         make(theme / "cursors/left_ptr", NOBODY, 'p');
       },
       "left_ptr", WriteProblem::NotRegularFile},
      {"a new theme whose cursor cannot be written", [] {}, "..", WriteProblem::Other},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(theme);
    c.plant();
    const int outcome = RunAsUser(NOBODY, [&] {
      return static_cast<int>(WriteThemeFiles(theme.string(), c.cursorName, NewBytes(), {'i'}).problem);
    });
    EXPECT_EQ(outcome, static_cast<int>(c.problem));
    EXPECT_EQ(Read(victim), "old");
    EXPECT_FALSE(fs::exists(theme / "index.theme"));
    EXPECT_TRUE(std::string(c.cursorName) != ".." || !fs::exists(theme)) << "the folders made are removed";
  }
  // A new theme, folders and all.
  fs::remove_all(theme);
  ASSERT_EQ(RunAsUser(NOBODY, [&] {
              return static_cast<int>(WriteThemeFiles((theme / "x").string(), "wait", NewBytes(), {'i'}).result);
            }),
            static_cast<int>(WriteResult::Ok));
  EXPECT_EQ(Read((theme / "x/cursors/wait").string()).size(), 5000u);
  EXPECT_EQ(Read((theme / "x/index.theme").string()), "i");
}

// Kills a child while it saves, at random moments, and checks that the file
// holds the whole old or the whole new content, or (for a file overwritten
// in place) that a backup holding the whole old content is found beside it.
// Then one more save must leave nothing of the killed ones behind.
void KillWhileSaving(const fs::path& folder, const std::string& path, bool hardLinked) {
  constexpr int ROUNDS = 100;
  constexpr std::size_t SIZE = 256 * 1024;
  const auto content = [](int round) { return ByteBuffer(SIZE, static_cast<std::uint8_t>(round)); };
  const auto reset = [&path](const ByteBuffer& bytes) {
    // Truncating keeps the file and its other names.
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  };
  // Starts a child that saves; gives it back once the child is about to
  // call the save, so that the kills fall on the save and not on the fork.
  // Starts a child that saves and tells through the pipe when it starts and
  // when it is done; gives back once the child is about to save, so that
  // the kills fall on the save and not on the fork.
  int signs[2];
  ASSERT_EQ(::pipe(signs), 0);
  const auto startSave = [&path, &signs](const ByteBuffer& bytes) {
    const pid_t child = ::fork();
    if (child == 0) {
      const char sign = 's';
      if (::write(signs[1], &sign, 1) != 1) ::_exit(2);
      WriteFileBytesSafely(path, bytes);
      if (::write(signs[1], &sign, 1) != 1) ::_exit(2);
      ::_exit(0);
    }
    char sign = 0;
    if (::read(signs[0], &sign, 1) != 1) return pid_t{-1};
    return child;
  };
  // How long one save takes, so that the kills fall over all of it.
  reset(content(0));
  std::chrono::microseconds span{};
  for (int i = 0; i < 3; ++i) {
    const pid_t child = startSave(content(1));
    const auto begin = std::chrono::steady_clock::now();
    char sign = 0;
    ASSERT_EQ(::read(signs[0], &sign, 1), 1);
    span = std::max(span, std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - begin));
    ::waitpid(child, nullptr, 0);
  }

  std::mt19937 random(12345);
  int torn = 0;
  for (int round = 0; round < ROUNDS; ++round) {
    const ByteBuffer old = content(2 * round + 2);
    const ByteBuffer fresh = content(2 * round + 3);
    reset(old);
    const pid_t child = startSave(fresh);
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % (span.count() + 1)));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    // A child that finished before the kill left its second sign.
    ::fcntl(signs[0], F_SETFL, O_NONBLOCK);
    char sign = 0;
    while (::read(signs[0], &sign, 1) == 1) {
    }
    ::fcntl(signs[0], F_SETFL, 0);
    const auto now = ReadFileBytes(path, SIZE);
    ASSERT_TRUE(now.has_value());
    if (*now == old || *now == fresh) continue;
    ++torn;
    ASSERT_TRUE(hardLinked) << "a replaced file is torn in round " << round;
    bool kept = false;
    for (const std::string& backup : FindKeptBackups(path)) kept = kept || ReadFileBytes(backup, SIZE) == old;
    ASSERT_TRUE(kept) << "no whole backup of a torn file in round " << round;
  }
  ::close(signs[0]);
  ::close(signs[1]);
  std::cout << "save span " << span.count() << " us, torn " << torn << " of " << ROUNDS << "\n";
  const std::vector<std::string> before = Names(folder);
  ASSERT_EQ(WriteFileBytesSafely(path, content(1)), WriteResult::Ok);
  const std::vector<std::string> names = Names(folder);
  EXPECT_EQ(names.size(), hardLinked ? 2u : 1u) << before.size() << " entries before the last save";
  EXPECT_TRUE(FindKeptBackups(path).empty());
  EXPECT_EQ(ReadFileBytes(path, SIZE), content(1));
}

TEST(FileKillTest, AKilledSaveLeavesAWholeFileOrAWholeBackupAndTheNextSaveCleansUp) {
  // A folder in memory, where syncing costs nothing, so the kills fall on
  // the writing rather than on waiting for the disk.
  const fs::path memory = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path folder = memory / ("q2kill-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  KillWhileSaving(folder, (folder / "replaced.ico").string(), false);
  fs::remove_all(folder);
  fs::create_directories(folder);
  const std::string linked = (folder / "linked.ico").string();
  std::ofstream{linked};
  ASSERT_EQ(::link(linked.c_str(), (folder / "other-name.ico").c_str()), 0);
  KillWhileSaving(folder, linked, true);
  EXPECT_EQ(fs::hard_link_count(linked), 2u);
  fs::remove_all(folder);
}

}  // namespace
