// Saving against another user who swaps a folder on the path for a link
// while the save runs, and saving files that carry access lists and other
// extended attributes.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_bytes.h"
#include "tests/support/as_user.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Saves `rounds` times through a folder that the attacker keeps exchanging
// with a link to the victim's folder; gives back the saves refused as a
// link, or -1 after the first save that failed otherwise or touched the
// victim's folder.
int SaveWhileSwapped(const std::string& path, const fs::path& victim, int rounds) {
  int refused = 0;
  for (int round = 0; round < rounds; ++round) {
    WriteProblem problem = WriteProblem::None;
    const WriteResult result = WriteFileBytesSafely(path, ByteBuffer(64, 'n'), &problem);
    if (result != WriteResult::Ok && problem != WriteProblem::LinkRefused) return -1;
    if (problem == WriteProblem::LinkRefused) ++refused;
    if (Read(victim / "t.ico") != "victim" || Names(victim) != std::vector<std::string>{"t.ico"}) return -1;
  }
  return refused;
}

TEST(SaveRaceTest, AFolderSwappedForALinkDuringTheSaveLeavesTheVictimsFileAlone) {
  if (!RunningAsRoot()) GTEST_SKIP() << "needs the superuser to act as the attacker and a second user";
  const fs::path memory = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path folder = memory / ("q2race-" + std::to_string(::getpid()));
  // The saving user, and who owns the victim's folder and file.
  struct Case {
    const char* who;
    uid_t saver;
  };
  for (const Case& test : {Case{"superuser", 0}, Case{"user", STRANGER}}) {
    SCOPED_TRACE(test.who);
    fs::remove_all(folder);
    fs::create_directories(folder);
    ::chmod(folder.c_str(), 0755);
    const fs::path victim = folder / "V";
    const fs::path shared = folder / "S";
    fs::create_directory(victim);
    fs::create_directory(shared);
    std::ofstream(victim / "t.ico") << "victim";
    ASSERT_EQ(::chown(victim.c_str(), test.saver, test.saver), 0);
    ASSERT_EQ(::chown((victim / "t.ico").c_str(), test.saver, test.saver), 0);
    ::chmod(shared.c_str(), 01777);
    // The attacker's own folder, which the saver may write, and a link
    // of the attacker's to the victim's folder.
    fs::create_directory(shared / "adir");
    ::chmod((shared / "adir").c_str(), 0777);
    ASSERT_EQ(::chown((shared / "adir").c_str(), NOBODY, NOBODY), 0);
    ASSERT_EQ(::symlink(victim.c_str(), (shared / "alink").c_str()), 0);
    ASSERT_EQ(::lchown((shared / "alink").c_str(), NOBODY, NOBODY), 0);

    const pid_t attacker = ::fork();
    ASSERT_GE(attacker, 0);
    if (attacker == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(NOBODY) != 0 || ::setuid(NOBODY) != 0) ::_exit(100);
      const int place = ::open(shared.c_str(), O_PATH | O_DIRECTORY);
      for (;;) {
        if (::renameat2(place, "adir", place, "alink", RENAME_EXCHANGE) != 0) ::_exit(101);
      }
    }
    const std::string path = (shared / "adir" / "t.ico").string();
    constexpr int ROUNDS = 300;
    const int refused = test.saver == 0 ? SaveWhileSwapped(path, victim, ROUNDS)
                                        : RunAsUser(test.saver, [&] {
                                            // An exit code holds 0 to 255; 255 stands for -1.
                                            const int count = SaveWhileSwapped(path, victim, ROUNDS);
                                            return count < 0 ? 255 : std::min(count, 254);
                                          });
    ::kill(attacker, SIGKILL);
    int status = 0;
    ::waitpid(attacker, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the attacker stopped on its own: " << WEXITSTATUS(status);
    EXPECT_NE(refused, test.saver == 0 ? -1 : 255) << "a save failed otherwise or touched the victim's folder";
    EXPECT_GT(refused, 0) << "the swap never met a save";
    EXPECT_EQ(Read(victim / "t.ico"), "victim");
    EXPECT_EQ(Names(victim), std::vector<std::string>{"t.ico"});
    struct stat info {};
    ASSERT_EQ(::stat((victim / "t.ico").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, test.saver);
    std::printf("%s: %d of %d saves refused as a changed path\n", test.who, refused, ROUNDS);
  }
  fs::remove_all(folder);
}

TEST(SavePathTest, APathEndingInASlashIsNeverWrittenAsAFile) {
  const fs::path folder = fs::temp_directory_path() / ("q2slash-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "dir");
  std::ofstream(folder / "file.ico") << "old";
  for (const char* name : {"new/", "file.ico/", "dir/", "dir"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(WriteFileBytesSafely((folder / name).string(), ByteBuffer(3, 'n')), WriteResult::OpenFailed);
  }
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"dir", "file.ico"}));
  EXPECT_EQ(Read(folder / "file.ico"), "old");
  EXPECT_TRUE(fs::is_empty(folder / "dir"));
  fs::remove_all(folder);
}

// The output of a command, or nothing when it failed.
std::optional<std::string> Output(const std::string& command) {
  FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string text;
  std::array<char, 256> block{};
  while (const std::size_t got = std::fread(block.data(), 1, block.size(), pipe)) text.append(block.data(), got);
  if (::pclose(pipe) != 0) return std::nullopt;
  return text;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Every extended attribute of the file, access lists included, in hex.
std::string Attributes(const fs::path& path) {
  return Output("getfattr --absolute-names -h -d -m - -e hex " + Quoted(path)).value_or("(unreadable)");
}

TEST(SaveAttributesTest, ASavedFileKeepsItsAccessListAttributesAndMode) {
  const fs::path folder = fs::temp_directory_path() / ("q2attrs-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path probe = folder / "probe";
  std::ofstream{probe};
  if (!Output("setfacl -m u:65534:rw " + Quoted(probe)) || !Output("setfattr -n user.q2 -v 1 " + Quoted(probe))) {
    fs::remove_all(folder);
    GTEST_SKIP() << "setfacl or setfattr is missing, or this file system refuses access lists or user attributes";
  }
  fs::remove(probe);
  struct Case {
    const char* what;
    // Run in the folder on the file "f.ico" before the save.
    const char* prepare;
    bool secondName;
  };
  const Case cases[] = {
      {"a named user's write access, the group's read access and a mask",
       "chmod 0640 f.ico && setfacl -m u:65534:rw,g::r,m::rw f.ico && setfattr -n user.note -v hello f.ico", false},
      {"a file with two names", "setfacl -m u:65534:rw,g::r,m::rw f.ico && ln f.ico g.ico", true},
      {"user attributes only, in a folder whose default list the file does not have",
       "chmod 0604 f.ico && setfattr -n user.a -v 1 f.ico && setfattr -n user.b -v 0x00ff f.ico && "
       "setfacl -d -m u:65534:rwx,g::rwx,o::rwx . ",
       false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "f.ico";
    std::ofstream(file) << "old";
    ASSERT_TRUE(Output("cd " + Quoted(folder) + " && " + test.prepare)) << test.prepare;
    const std::string before = Attributes(file);
    struct stat was {};
    ASSERT_EQ(::stat(file.c_str(), &was), 0);

    ASSERT_EQ(WriteFileBytesSafely(file.string(), ByteBuffer(10, 'n')), WriteResult::Ok);

    EXPECT_EQ(Read(file), std::string(10, 'n'));
    EXPECT_EQ(Attributes(file), before);
    struct stat now {};
    ASSERT_EQ(::stat(file.c_str(), &now), 0);
    EXPECT_EQ(now.st_mode & 07777, was.st_mode & 07777);
    if (test.secondName) {
      EXPECT_EQ(Read(folder / "g.ico"), std::string(10, 'n'));
    }
    EXPECT_EQ(Names(folder).size(), test.secondName ? 2u : 1u) << "nothing is left beside";
  }
  fs::remove_all(folder);
}

}  // namespace
