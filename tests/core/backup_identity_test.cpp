// A save killed while it overwrote a hard-linked file in place leaves a
// backup that is found whichever of the file's names is opened, and that a
// later save through any of its names removes.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_bytes.h"
#include "storage/save_leftovers.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t SIZE = 4 * 1024 * 1024;

ByteBuffer Content(int round) { return ByteBuffer(SIZE, static_cast<std::uint8_t>(round)); }

void Put(const std::string& path, const ByteBuffer& bytes) {
  // Truncating keeps the file and its other names.
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(BackupIdentity, ATornFileIsReportedUnderEachOfItsNamesAndCleanedThroughAny) {
  const fs::path memory = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path folder = memory / ("q2identity-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string first = (folder / "first.ico").string();
  const std::string second = (folder / "second.ico").string();
  const std::string unrelated = (folder / "unrelated.ico").string();
  Put(first, Content(0));
  ASSERT_EQ(::link(first.c_str(), second.c_str()), 0);
  Put(unrelated, Content(9));

  // Kill saves through the first name until one leaves the file torn.
  std::mt19937 random(2718);
  bool torn = false;
  ByteBuffer old;
  for (int round = 0; round < 300 && !torn; ++round) {
    old = Content(2 * round + 2);
    Put(first, old);
    const ByteBuffer fresh = Content(2 * round + 3);
    int started[2];
    ASSERT_EQ(::pipe(started), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      const char sign = 's';
      if (::write(started[1], &sign, 1) != 1) ::_exit(2);
      WriteFileBytesSafely(first, fresh);
      ::_exit(0);
    }
    char sign = 0;
    ASSERT_EQ(::read(started[0], &sign, 1), 1);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(started[0]);
    ::close(started[1]);
    const auto now = ReadFileBytes(first, SIZE);
    ASSERT_TRUE(now.has_value());
    torn = *now != old && *now != fresh;
    if (!torn) {
      // A killed save that left no torn file may still have left a
      // temporary or a backup; a whole save clears them.
      ASSERT_EQ(WriteFileBytesSafely(first, Content(1)), WriteResult::Ok);
    }
  }
  ASSERT_TRUE(torn) << "no save was killed while it wrote";

  const std::vector<std::string> kept = FindKeptBackups(first);
  ASSERT_FALSE(kept.empty());
  struct Case {
    const std::string* path;
    bool found;
  };
  const Case cases[] = {{&first, true}, {&second, true}, {&unrelated, false}};
  for (const Case& test : cases) {
    SCOPED_TRACE(*test.path);
    const std::vector<std::string> found = FindKeptBackups(*test.path);
    EXPECT_EQ(found, test.found ? kept : std::vector<std::string>{});
  }
  bool whole = false;
  for (const std::string& backup : kept) whole = whole || ReadFileBytes(backup, SIZE) == old;
  EXPECT_TRUE(whole);

  // Saved whole through the other name: the backups of the file go.
  ASSERT_EQ(WriteFileBytesSafely(second, Content(1)), WriteResult::Ok);
  EXPECT_TRUE(FindKeptBackups(first).empty());
  EXPECT_EQ(Names(folder), (std::vector<std::string>{"first.ico", "second.ico", "unrelated.ico"}));
  EXPECT_EQ(ReadFileBytes(first, SIZE), Content(1));
  fs::remove_all(folder);
}

}  // namespace
