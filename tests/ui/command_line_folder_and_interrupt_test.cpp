// The command-line import run as a process: a new file in a folder the user
// may not write is refused naming the folder, and Ctrl+C during the import
// of a large picture ends it with code 130 and nothing written.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/as_user.h"
#include "tests/ui/program_bytes.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> NamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class CommandLineRun : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillet2_cli_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
    // Another user must reach the folder.
    ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
  }
  void TearDown() override {
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(folder_, ignored))
      if (entry.is_directory()) ::chmod(entry.path().c_str(), 0755);
    fs::remove_all(folder_, ignored);
  }
  fs::path folder_;
};

TEST_F(CommandLineRun, ANewFileInAFolderTheUserMayNotWriteIsRefusedNamingTheFolder) {
  // The superuser may write everywhere; the program then runs as another
  // user.
  const uid_t user = RunningAsRoot() ? NOBODY : 0;
  QImage picture(8, 8, QImage::Format_ARGB32);
  picture.fill(qRgb(20, 120, 10));
  ASSERT_TRUE(picture.save(QString::fromStdString((folder_ / "in.png").string())));
  fs::create_directory(folder_ / "closed");
  ASSERT_EQ(::chmod((folder_ / "closed").c_str(), 0555), 0);
  fs::create_directory(folder_ / "open");
  ASSERT_EQ(::chmod((folder_ / "open").c_str(), 0777), 0);
  const std::string folderReason = "フォルダに書きこむ権限がないので、新しいファイルを作れません";
  struct Case {
    const char* output;
    int code;
    bool folderNamed;
  };
  const Case cases[] = {
      {"closed/out.ico", 3, true},
      {"open/out.ico", 0, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.output);
    const ProgramRun run = RunQuillet2Bytes(folder_.string(), {"--import", "in.png", "-o", test.output}, user);
    EXPECT_EQ(run.code, test.code) << run.err;
    EXPECT_EQ(run.err.find(folderReason) != std::string::npos, test.folderNamed) << run.err;
    EXPECT_EQ(run.err.find("残す場所"), std::string::npos) << run.err;
  }
  EXPECT_TRUE(NamesIn(folder_ / "closed").empty());
  EXPECT_EQ(NamesIn(folder_ / "open"), std::vector<std::string>{"out.ico"});
}

// True once the process handles SIGINT itself, as the import does while it
// runs.
bool CatchesSigint(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) & (1ull << (SIGINT - 1))) != 0;
  return false;
}

TEST_F(CommandLineRun, CtrlCDuringTheImportOfALargePictureEndsWith130AndWritesNothing) {
  // A picture large enough that reading and scaling it takes far longer
  // than the signal needs to arrive.
  QImage picture(4096, 4096, QImage::Format_ARGB32);
  {
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 4096, 4096);
    gradient.setColorAt(0, qRgba(255, 0, 0, 255));
    gradient.setColorAt(0.5, qRgba(0, 255, 0, 128));
    gradient.setColorAt(1, qRgba(0, 0, 255, 255));
    painter.fillRect(picture.rect(), gradient);
  }
  ASSERT_TRUE(picture.save(QString::fromStdString((folder_ / "large.png").string())));
  const StartedProgram started =
      StartQuillet2Bytes(folder_.string(),
                         {"--import", "large.png", "-o", "out.ico", "--sizes", "16,32,48,64,128,256", "--dither"},
                         "interrupt");
  ASSERT_GT(started.pid, 0);
  // Signalled as soon as the import catches SIGINT, well before it ends.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!CatchesSigint(started.pid) && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_TRUE(CatchesSigint(started.pid));
  ASSERT_EQ(::kill(started.pid, SIGINT), 0);
  const ProgramRun run = FinishQuillet2Bytes(started);
  EXPECT_EQ(run.code, 130) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "中断しました\n");
  // No icon and no temporary.
  EXPECT_EQ(NamesIn(folder_), std::vector<std::string>{"large.png"});
}

}  // namespace
