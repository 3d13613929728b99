// The clipboard against other programs on a real X server. Each test starts
// its own Xvfb and runs the program's part in a child process of this test
// binary on Qt's xcb platform (the rest of the suite runs offscreen, where
// the clipboard never leaves the process). xclip plays the other program.
// Every wait is bounded, so a program that freezes fails the test instead
// of hanging the run.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/command_state.h"
#include "app/menus.h"
#include "tests/ui/clipboard_fixture.h"

namespace {

constexpr const char* CHILD_VARIABLE = "QUILLET2_X11_CHILD";

std::string FindProgram(const char* name) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const std::size_t end = std::min(folders.find(':', start), folders.size());
    const std::string candidate = folders.substr(start, end - start) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

// Starts a program; its standard output goes to outputFd when that is not
// -1 (to nowhere, with its errors, when it is).
pid_t Spawn(const std::vector<std::string>& args, int outputFd = -1) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  if (outputFd != -1) ::dup2(outputFd, STDOUT_FILENO);
  const int nullFd = ::open("/dev/null", O_RDWR);
  ::dup2(nullFd, STDIN_FILENO);
  // The chatter of a program that serves the clipboard stays out of the
  // test's output.
  if (outputFd == -1) {
    ::dup2(nullFd, STDOUT_FILENO);
    ::dup2(nullFd, STDERR_FILENO);
  }
  for (int fd = 3; fd < 256; ++fd) ::close(fd);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  ::execv(argv[0], argv.data());
  ::_exit(127);
}

// Waits at most timeoutMs for the process to end, running `meanwhile`
// between looks; gives back its wait status, or -1 when it is still running.
int WaitForExit(pid_t pid, int timeoutMs, const std::function<void()>& meanwhile = [] {}) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return status;
    if (std::chrono::steady_clock::now() >= deadline) return -1;
    meanwhile();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

std::string TempPath(const std::string& name) { return "/tmp/q2-x11-" + std::to_string(::getpid()) + "-" + name; }

// A picture whose pixel (x, y) has test palette colour (x + 2y) % 16.
QImage PalettePicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, PixelOfColor(TestPaletteColor(x + 2 * y)));
  return image;
}

// The parent side: an Xvfb of its own and the child runs against it.
class X11ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    xvfb_ = FindProgram("Xvfb");
    xclip_ = FindProgram("xclip");
    if (xvfb_.empty() || xclip_.empty())
      GTEST_SKIP() << "Xvfb and xclip are needed for the clipboard tests against other programs "
                      "(scripts/install-deps.sh installs both)";
    // A display number nobody uses; a server that finds it taken after all
    // ends at once, and the next number is tried.
    for (int tries = 0, number = 40 + ::getpid() % 400; tries < 40 && display_.empty(); ++tries, ++number) {
      const std::string name = std::to_string(number);
      if (::access(("/tmp/.X11-unix/X" + name).c_str(), F_OK) == 0 ||
          ::access(("/tmp/.X" + name + "-lock").c_str(), F_OK) == 0)
        continue;
      // Without -noreset the server starts over whenever its last client
      // leaves, and a program connecting just then fails.
      xvfbPid_ = Spawn({xvfb_, ":" + name, "-noreset", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
      while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(xvfbPid_, nullptr, WNOHANG) == xvfbPid_) {
          xvfbPid_ = -1;
          break;
        }
        xcb_connection_t* connection = xcb_connect((":" + name).c_str(), nullptr);
        const bool ready = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        if (ready) {
          display_ = ":" + name;
          break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
      if (display_.empty() && xvfbPid_ > 0) Stop(xvfbPid_);
    }
    ASSERT_FALSE(display_.empty()) << "Xvfb did not start";
  }

  void TearDown() override {
    for (pid_t pid : others_) Stop(pid);
    // Asked to end, the X server removes its lock and socket, so that the
    // next test's server finds the display free.
    if (xvfbPid_ > 0) {
      ::kill(xvfbPid_, SIGTERM);
      if (WaitForExit(xvfbPid_, 5000) == -1) Stop(xvfbPid_);
    }
    for (const std::string& file : files_) std::remove(file.c_str());
  }

  std::vector<std::string> XclipArgs(std::vector<std::string> rest) const {
    std::vector<std::string> args = {xclip_, "-display", display_, "-selection", "clipboard"};
    args.insert(args.end(), rest.begin(), rest.end());
    return args;
  }

  // Another program offers the picture as image/png and keeps running.
  pid_t OfferPicture(const QImage& picture) {
    const std::string file = TempPath("offer.png");
    files_.push_back(file);
    EXPECT_TRUE(picture.save(QString::fromStdString(file), "PNG"));
    const pid_t pid = Spawn(XclipArgs({"-quiet", "-t", "image/png", "-i", file}));
    others_.push_back(pid);
    // It owns the clipboard once it answers.
    for (int tries = 0; tries < 200; ++tries) {
      const pid_t ask = Spawn(XclipArgs({"-t", "TARGETS", "-o"}));
      const int status = WaitForExit(ask, 5000);
      if (status == -1) Stop(ask);
      if (status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0) return pid;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ADD_FAILURE() << "xclip did not take the clipboard";
    return pid;
  }

  // Runs X11ClipboardChild.<name> in a child process on the xcb platform;
  // a child still running after timeoutMs counts as frozen.
  void RunChild(const std::string& name, int timeoutMs) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::setenv("DISPLAY", display_.c_str(), 1);
      ::setenv("QT_QPA_PLATFORM", "xcb", 1);
      ::setenv(CHILD_VARIABLE, xclip_.c_str(), 1);
      const std::string filter = "--gtest_filter=X11ClipboardChild." + name;
      ::execl("/proc/self/exe", "ui_tests", filter.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    const int status = WaitForExit(pid, timeoutMs);
    if (status == -1) {
      Stop(pid);
      FAIL() << "the program froze: " << name << " did not end within " << timeoutMs / 1000 << " s";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name << " failed in the child, see above";
  }

  std::string xvfb_, xclip_, display_;
  pid_t xvfbPid_ = -1;
  std::vector<pid_t> others_;
  std::vector<std::string> files_;
};

// The child side: the program on a real X server.
class X11ClipboardChild : public CanvasTest {
 protected:
  bool CreateWindowInSetUp() const override { return false; }

  void SetUp() override {
    const char* xclip = std::getenv(CHILD_VARIABLE);
    if (xclip == nullptr) GTEST_SKIP() << "runs only as the child process of X11ClipboardTest";
    xclip_ = xclip;
    // Not the fixture's own set-up: that empties the clipboard, which would
    // take it from the program that owns it.
    iniPath = TestSettingsPath();
    std::remove(iniPath.c_str());
  }

  void TearDown() override {
    for (pid_t pid : others_) Stop(pid);
    if (mainWindows.main != nullptr) CanvasTest::TearDown();
  }

  static bool PasteOffered() { return MenuAction(CMD_PASTE_NEAREST)->isEnabled(); }

  // Keeps the program's events going until the condition holds or the time
  // is up.
  static bool RunUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
      if (timer.elapsed() > timeoutMs) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
  }

  // How long an action keeps the program from its events, in milliseconds.
  static qint64 Duration(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    QApplication::processEvents();
    return timer.elapsed();
  }

  std::string xclip_;
  std::vector<pid_t> others_;
};

// Far below the minute the program used to wait on a stopped owner, and far
// above what any of these actions takes.
constexpr qint64 PROMPT_MS = 3000;

}  // namespace

TEST_F(X11ClipboardTest, AStoppedClipboardOwnerNeverFreezesTheProgram) {
  const pid_t owner = OfferPicture(PalettePicture(8, 8));
  ASSERT_EQ(::kill(owner, SIGSTOP), 0);
  RunChild("StoppedOwner", 40000);
  ::kill(owner, SIGCONT);
}

TEST_F(X11ClipboardChild, StoppedOwner) {
  EXPECT_LT(Duration([] { CreateMainWindow(); }), PROMPT_MS) << "start-up";
  EXPECT_FALSE(PasteOffered());
  ImageTab& tab = OpenTab(16, 16);
  EXPECT_LT(Duration([&] { ClickCell(tab, 3, 3); }), PROMPT_MS) << "pen release";
  ASSERT_NE(CellAt(tab, 3, 3), 0 | CELL_MASK_BIT);
  EXPECT_LT(Duration([] { DispatchCommand(CMD_UNDO); }), PROMPT_MS) << "undo";
  EXPECT_LT(Duration([] { DispatchCommand(CMD_REDO); }), PROMPT_MS) << "redo";
  EXPECT_FALSE(PasteOffered());
  // A paste asks the owner itself, gives up after a few seconds and
  // changes nothing, as a paste of an empty clipboard does.
  const auto cells = Cells(tab);
  EXPECT_LT(Duration([] { DispatchCommand(CMD_PASTE_NEAREST); }), 5000) << "paste";
  EXPECT_EQ(Cells(tab), cells);
  // Another program takes the clipboard: the pastes come back.
  const std::string file = TempPath("second.png");
  ASSERT_TRUE(PalettePicture(16, 16).save(QString::fromStdString(file), "PNG"));
  others_.push_back(Spawn({xclip_, "-quiet", "-selection", "clipboard", "-t", "image/png", "-i", file}));
  EXPECT_TRUE(RunUntil(PasteOffered, 10000)) << "the pastes did not come back";
  DispatchCommand(CMD_PASTE_NEAREST);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(CellAt(tab, x, y), (x + 2 * y) % 16) << x << "," << y;
  std::remove(file.c_str());
}

TEST_F(X11ClipboardTest, PicturesGoToAndComeFromOtherPrograms) { RunChild("Exchange", 40000); }

TEST_F(X11ClipboardChild, Exchange) {
  CreateMainWindow();
  ImageTab& tab = OpenTab(12, 9);
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 9; ++y)
      CellAt(tab, x, y) = static_cast<PixelCell>((x * 5 + y) % 16 | ((x + y) % 4 == 0 ? CELL_MASK_BIT : 0));
  DispatchCommand(CMD_COPY);
  // The copy, read by another program while this one serves it.
  const std::string copied = TempPath("copied.png");
  const int out = ::open(copied.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_NE(out, -1);
  const pid_t reader = Spawn({xclip_, "-selection", "clipboard", "-t", "image/png", "-o"}, out);
  ::close(out);
  const int status = WaitForExit(reader, 10000, [] { QApplication::processEvents(); });
  if (status == -1) Stop(reader);
  ASSERT_TRUE(status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0) << "xclip could not read the copy";
  const QImage image = QImage(QString::fromStdString(copied)).convertToFormat(QImage::Format_RGB32);
  std::remove(copied.c_str());
  ASSERT_EQ(image.size(), QSize(12, 9));
  RepaintPreview(&tab);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(ColorOfPixel(image.pixel(x, y)),
                ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + x, mainPreview.originY + y)))
          << x << "," << y;

  // A picture offered by another program is pasted.
  const std::string offered = TempPath("offered.png");
  ASSERT_TRUE(PalettePicture(12, 9).save(QString::fromStdString(offered), "PNG"));
  others_.push_back(Spawn({xclip_, "-quiet", "-selection", "clipboard", "-t", "image/png", "-i", offered}));
  ASSERT_TRUE(RunUntil([] { return !QApplication::clipboard()->ownsClipboard() && PasteOffered(); }, 10000))
      << "the offered picture was not noticed";
  DispatchCommand(CMD_PASTE_NEAREST);
  std::remove(offered.c_str());
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 12; ++x) ASSERT_EQ(CellAt(tab, x, y), (x + 2 * y) % 16) << x << "," << y;
}
