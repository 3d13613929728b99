// The recovery folders: one per run, locked while the run lives, claimed by
// the next start only when their run is gone; records that cannot be used
// are moved aside, never deleted and never followed through a link.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "storage/recovery_store.h"
#include "tests/support/as_user.h"

namespace {

namespace fs = std::filesystem;

RecoveryDocument OneTabDocument(const std::string& name, std::int64_t when) {
  RecoveryDocument document;
  document.name = name;
  document.writtenAt = when;
  RecoveryTab tab;
  tab.width = 3;
  tab.height = 2;
  tab.colorCode = 2;
  tab.title = " 3x2x2 ";
  tab.cells[CellIndex(2, 1)] = 1;
  document.tabs.push_back(tab);
  return document;
}

ByteBuffer Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteBuffer(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const ByteBuffer& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class RecoveryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/q2_recovery_store_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    folder_ = root_ + "/state/quillet2/recovery";
    // Planted folders and records are private, as the program makes them.
    umask_ = ::umask(077);
  }
  void TearDown() override {
    ::umask(umask_);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // A run that was killed after writing its record: its lock is free.
  std::string KilledRun(const std::string& name, const ByteBuffer& record) {
    const std::string path = folder_ + "/" + name;
    fs::create_directories(path);
    Write(path + "/" + RECOVERY_LOCK_NAME, {'1', '\n'});
    Write(path + "/" + RECOVERY_RECORD_NAME, record);
    return path;
  }

  std::string root_;
  std::string folder_;
  mode_t umask_ = 0;
};

TEST_F(RecoveryStore, TwoRunsKeepSeparateDataAndLeaveEachOtherAlone) {
  RecoveryRun first = NewRecoveryRun(folder_);
  RecoveryRun second = NewRecoveryRun(folder_);
  second.name += "-b";
  ASSERT_EQ(WriteRecoveryRecord(first, SerializeRecovery(OneTabDocument("first", 1))), WriteResult::Ok);
  ASSERT_EQ(WriteRecoveryRecord(second, SerializeRecovery(OneTabDocument("second", 2))), WriteResult::Ok);
  EXPECT_NE(RecoveryRecordPath(first), RecoveryRecordPath(second));
  // Both live: a third start claims neither.
  EXPECT_TRUE(ClaimEndedRuns(folder_, "").empty());
  EXPECT_TRUE(fs::exists(RecoveryRecordPath(first)));
  // One ends cleanly; the other's data stays.
  RemoveRecoveryRun(first);
  EXPECT_FALSE(fs::exists(folder_ + "/" + first.name));
  RecoveryDocument read;
  const ByteBuffer kept = Bytes(RecoveryRecordPath(second));
  ASSERT_EQ(ParseRecovery(kept.data(), kept.size(), read), RecoveryRead::Ok);
  EXPECT_EQ(read.name, "second");
  // The folder is private to the user.
  struct stat info {};
  ASSERT_EQ(::stat((folder_ + "/" + second.name).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(RecoveryRecordPath(second).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  RemoveRecoveryRun(second);
  EXPECT_TRUE(fs::is_empty(folder_));
}

// A child writes its record and is killed; its lock goes with it, so the
// next start claims the data, and only one start at a time can.
TEST_F(RecoveryStore, AKilledRunsDataIsClaimedOnce) {
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RecoveryRun run = NewRecoveryRun(folder_);
    const bool written = WriteRecoveryRecord(run, SerializeRecovery(OneTabDocument("killed", 5))) == WriteResult::Ok;
    const char answer = written ? 'y' : 'n';
    [[maybe_unused]] const ssize_t put = ::write(ready[1], &answer, 1);
    for (;;) ::pause();
  }
  char answer = 0;
  ASSERT_EQ(::read(ready[0], &answer, 1), 1);
  ::close(ready[0]);
  ::close(ready[1]);
  // While the child lives, its data is not ours.
  EXPECT_TRUE(ClaimEndedRuns(folder_, "").empty());
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  ASSERT_EQ(answer, 'y');

  std::vector<EndedRun> claimed = ClaimEndedRuns(folder_, "");
  ASSERT_EQ(claimed.size(), 1u);
  EXPECT_EQ(claimed[0].problem, RecoveryProblem::None);
  EXPECT_EQ(claimed[0].summary.name, "killed");
  // Claiming reads no image; only restoring does.
  EXPECT_TRUE(claimed[0].document.tabs.empty());
  ASSERT_EQ(LoadEndedRun(claimed[0]), RecoveryProblem::None);
  EXPECT_EQ(claimed[0].document.tabs.at(0).cells[CellIndex(2, 1)], 1);
  // Claimed by this start: another start sees nothing of it.
  EXPECT_TRUE(ClaimEndedRuns(folder_, "").empty());
  ReleaseEndedRun(claimed[0]);
  std::vector<EndedRun> again = ClaimEndedRuns(folder_, "");
  ASSERT_EQ(again.size(), 1u);
  DiscardEndedRun(again[0]);
  EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(RecoveryStore, RunsThatRecordedNothingGoSilentlyAndNewestComesFirst) {
  KilledRun("run-1-1", {});
  KilledRun("run-2-2", SerializeRecovery(OneTabDocument("older", 100)));
  KilledRun("run-3-3", SerializeRecovery(OneTabDocument("newer", 200)));
  fs::create_directories(folder_ + "/run-4-4");  // no record at all
  fs::create_directories(folder_ + "/.run-5-5.new");  // a run being made
  std::vector<EndedRun> claimed = ClaimEndedRuns(folder_, "run-3-3");
  ASSERT_EQ(claimed.size(), 1u);  // its own run is never offered
  EXPECT_EQ(claimed[0].summary.name, "older");
  ReleaseEndedRun(claimed[0]);
  claimed = ClaimEndedRuns(folder_, "");
  ASSERT_EQ(claimed.size(), 2u);
  EXPECT_EQ(claimed[0].summary.name, "newer");
  EXPECT_EQ(claimed[1].summary.name, "older");
  for (EndedRun& run : claimed) ReleaseEndedRun(run);
  EXPECT_FALSE(fs::exists(folder_ + "/run-1-1"));
  EXPECT_FALSE(fs::exists(folder_ + "/run-4-4"));
  EXPECT_TRUE(fs::exists(folder_ + "/.run-5-5.new"));
}

TEST_F(RecoveryStore, BadDataIsMovedAsideWithoutTouchingWhatLinksPointTo) {
  const ByteBuffer good = SerializeRecovery(OneTabDocument("doc", 1));
  const std::string victim = root_ + "/victim.ico";
  Write(victim, {'m', 'i', 'n', 'e'});
  struct Case {
    const char* what;
    std::function<void(const std::string& runFolder)> plant;
    RecoveryProblem expected;
  };
  const Case cases[] = {
      {"truncated", [&](const std::string& f) { Write(f + "/document.q2r", ByteBuffer(good.begin(), good.end() - 9)); },
       RecoveryProblem::Truncated},
      {"damaged",
       [&](const std::string& f) {
         ByteBuffer bytes = good;
         bytes[30] ^= 0x40;
         Write(f + "/document.q2r", bytes);
       },
       RecoveryProblem::Damaged},
      {"newer",
       [&](const std::string& f) {
         ByteBuffer bytes = good;
         bytes[8] = 9;
         Write(f + "/document.q2r", bytes);
       },
       RecoveryProblem::Newer},
      {"a link", [&](const std::string& f) { fs::create_symlink(victim, f + "/document.q2r"); }, RecoveryProblem::Link},
      {"a FIFO", [&](const std::string& f) { ::mkfifo((f + "/document.q2r").c_str(), 0600); },
       RecoveryProblem::NotFile},
      {"too large",
       [&](const std::string& f) {
         Write(f + "/document.q2r", good);
         ::truncate((f + "/document.q2r").c_str(), static_cast<off_t>(RECOVERY_MAX_BYTES) + 1);
       },
       RecoveryProblem::TooLarge},
  };
  int number = 0;
  for (const Case& c : cases) {
    const std::string name = "run-9-" + std::to_string(++number);
    const std::string runFolder = folder_ + "/" + name;
    fs::create_directories(runFolder);
    Write(runFolder + "/lock", {});
    c.plant(runFolder);
    std::vector<EndedRun> claimed = ClaimEndedRuns(folder_, "");
    ASSERT_EQ(claimed.size(), 1u) << c.what;
    EXPECT_EQ(claimed[0].problem, c.expected) << c.what;
    // A file already under the aside name stays as it is.
    fs::create_directories(RefusedRecoveryFolder(folder_));
    const std::string taken = RefusedRecoveryFolder(folder_) + "/" + name + ".q2r";
    Write(taken, {'o', 'l', 'd'});
    const std::string where = SetEndedRunAside(claimed[0], RefusedRecoveryFolder(folder_));
    EXPECT_EQ(where, taken + "-1") << c.what;
    // Compared as a whole: a failure must not print 64 MiB.
    EXPECT_TRUE(Bytes(taken) == (ByteBuffer{'o', 'l', 'd'})) << c.what;
    EXPECT_FALSE(fs::exists(runFolder)) << c.what;
    EXPECT_EQ(Bytes(victim), (ByteBuffer{'m', 'i', 'n', 'e'})) << c.what;
    if (c.expected == RecoveryProblem::Link) {
      EXPECT_TRUE(fs::is_symlink(where)) << c.what;
    }
  }
  EXPECT_TRUE(ClaimEndedRuns(folder_, "").empty());

  // A run folder that is a link goes aside as the link; the folder it points
  // to keeps everything.
  const std::string elsewhere = root_ + "/elsewhere";
  fs::create_directories(elsewhere);
  Write(elsewhere + "/document.q2r", good);
  fs::create_symlink(elsewhere, folder_ + "/run-8-8");
  std::vector<EndedRun> claimed = ClaimEndedRuns(folder_, "");
  ASSERT_EQ(claimed.size(), 1u);
  EXPECT_EQ(claimed[0].problem, RecoveryProblem::Link);
  const std::string where = SetEndedRunAside(claimed[0], RefusedRecoveryFolder(folder_));
  EXPECT_TRUE(fs::is_symlink(where));
  EXPECT_EQ(Bytes(elsewhere + "/document.q2r"), good);
  EXPECT_FALSE(fs::exists(elsewhere + "/lock"));
}

// Data another user could have planted or may change is neither offered,
// claimed nor moved: the user who runs the program reads only folders and
// records of their own that no one else may open.
TEST_F(RecoveryStore, AnotherUsersDataIsLeftAloneUnread) {
  if (!RunningAsRoot()) GTEST_SKIP() << "planting another user's data needs the superuser";
  const ByteBuffer good = SerializeRecovery(OneTabDocument("planted", 1));
  const std::string run = folder_ + "/run-1-1";
  const std::string record = run + "/" + RECOVERY_RECORD_NAME;
  const auto own = [](const std::string& path, uid_t user, mode_t mode) {
    return ::chown(path.c_str(), user, user) == 0 && ::chmod(path.c_str(), mode) == 0;
  };
  struct Case {
    const char* what;
    std::string path;
    uid_t owner;
    mode_t mode;
    std::string leftAlone;
  };
  const Case cases[] = {
      {"another user's recovery folder", folder_, 0, 0755, folder_},
      {"another user's run folder", run, 0, 0777, run},
      {"another user's record", record, 0, 0644, record},
      {"a run folder others may enter", run, NOBODY, 0750, run},
      {"a record others may change", record, NOBODY, 0666, record},
  };
  ASSERT_EQ(::chmod(root_.c_str(), 0711), 0);
  for (const Case& c : cases) {
    fs::remove_all(root_ + "/state");
    KilledRun("run-1-1", good);
    for (const std::string& path : {root_ + "/state", root_ + "/state/quillet2", folder_, run})
      ASSERT_TRUE(own(path, NOBODY, 0700));
    ASSERT_TRUE(own(run + "/" + RECOVERY_LOCK_NAME, NOBODY, 0600) && own(record, NOBODY, 0600));
    ASSERT_TRUE(own(c.path, c.owner, c.mode)) << c.what;
    const int code = RunAsUser(NOBODY, [&] {
      const std::vector<EndedRun> runs = ClaimEndedRuns(folder_, "");
      return runs.size() == 1 && runs[0].problem == RecoveryProblem::Foreign && runs[0].path == c.leftAlone ? 0 : 1;
    });
    EXPECT_EQ(code, 0) << c.what;
    EXPECT_TRUE(Bytes(record) == good) << c.what;
    EXPECT_FALSE(fs::exists(RefusedRecoveryFolder(folder_))) << c.what;
  }
}

// The recovery folder itself must be the user's own folder, not a link.
TEST_F(RecoveryStore, ALinkedRecoveryFolderIsNotWritten) {
  const std::string target = root_ + "/target";
  fs::create_directories(target);
  fs::create_directories(fs::path(folder_).parent_path());
  fs::create_symlink(target, folder_);
  RecoveryRun run = NewRecoveryRun(folder_);
  EXPECT_NE(WriteRecoveryRecord(run, SerializeRecovery(OneTabDocument("doc", 1))), WriteResult::Ok);
  EXPECT_TRUE(fs::is_empty(target));
}

TEST(RecoveryFolder, FollowsTheStateHome) {
  const char* savedState = std::getenv("XDG_STATE_HOME");
  const std::string keptState = savedState != nullptr ? savedState : "";
  ::setenv("XDG_STATE_HOME", "/x/state", 1);
  EXPECT_EQ(DefaultRecoveryFolder(), "/x/state/quillet2/recovery");
  ::setenv("XDG_STATE_HOME", "relative", 1);
  ::setenv("HOME", ::getenv("HOME") != nullptr ? ::getenv("HOME") : "/root", 1);
  EXPECT_EQ(DefaultRecoveryFolder(), std::string(::getenv("HOME")) + "/.local/state/quillet2/recovery");
  EXPECT_EQ(RefusedRecoveryFolder("/s/quillet2/recovery"), "/s/quillet2/recovery-refused");
  if (savedState != nullptr)
    ::setenv("XDG_STATE_HOME", keptState.c_str(), 1);
  else
    ::unsetenv("XDG_STATE_HOME");
}

}  // namespace
