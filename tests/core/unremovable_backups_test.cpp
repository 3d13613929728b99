// A backup the user cannot remove (another user's, in a sticky folder) is
// told once, with its owner; the user's own backups are told every time,
// as the next save removes them.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "storage/save_leftovers.h"
#include "storage/unremovable_backups.h"
#include "tests/support/as_user.h"

namespace {

namespace fs = std::filesystem;

TEST(UnremovableBackups, AnotherUsersBackupInAStickyFolderIsToldOnceWithItsOwner) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs the superuser to make files of other users";
  const fs::path shared = fs::temp_directory_path() / ("q2sticky-" + std::to_string(::getpid()));
  fs::create_directory(shared);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const fs::path cache = fs::temp_directory_path() / ("q2cache-" + std::to_string(::getpid()));
  fs::create_directory(cache);
  ASSERT_EQ(::chown(cache.c_str(), NOBODY, NOBODY), 0);
  // The user's file, with the backups two killed saves left: one by the
  // stranger, one by the user.
  const std::string file = (shared / "mine.ico").string();
  std::ofstream(file) << "torn";
  ASSERT_EQ(::chown(file.c_str(), NOBODY, NOBODY), 0);
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  const std::string prefix = (shared / BackupPrefix("mine.ico", info.st_dev, info.st_ino)).string();
  const std::string strangers = prefix + "Strang";
  const std::string own = prefix + "Ownbak";
  for (const auto& [path, owner] : {std::pair{strangers, STRANGER}, std::pair{own, NOBODY}}) {
    std::ofstream(path) << "old";
    ASSERT_EQ(::chown(path.c_str(), owner, owner), 0);
  }
  ASSERT_EQ(FindKeptBackups(file).size(), 2u);

  // Each open as the user: how many backups are told as removable, how many
  // as another's, and whether the stranger's owner is named.
  struct Case {
    const char* what;
    int removable;
    int unremovable;
  };
  const Case cases[] = {
      {"first open", 1, 1},
      {"second open", 1, 0},
      {"third open", 1, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    const int told = RunAsUser(NOBODY, [&] {
      ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
      const BackupsToTell tell = TakeBackupsToTell(FindKeptBackups(file));
      if (tell.removable != std::vector<std::string>{own}) return 90;
      for (const UnremovableBackup& backup : tell.unremovable)
        if (backup.path != strangers || backup.owner != std::to_string(STRANGER)) return 91;
      return static_cast<int>(tell.removable.size() * 10 + tell.unremovable.size());
    });
    EXPECT_EQ(told, test.removable * 10 + test.unremovable);
  }
  // A new backup in the old one's place is told again.
  fs::remove(strangers);
  std::ofstream(strangers) << "older";
  ASSERT_EQ(::chown(strangers.c_str(), STRANGER, STRANGER), 0);
  EXPECT_EQ(RunAsUser(NOBODY, [&] {
              ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
              return static_cast<int>(TakeBackupsToTell(FindKeptBackups(file)).unremovable.size());
            }),
            1);
  fs::remove_all(shared);
  fs::remove_all(cache);
}

}  // namespace
