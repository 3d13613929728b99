// Times of the actions that touch the clipboard or refresh the command
// states: the three pastes of a screen-sized picture into a 64 x 64 image
// of 256 colours, opening a file of 20 such images, and one refresh of every
// menu and button state. Prints the median and the 99th percentile of each.
//
// Usage: bench_paste [RUNS] [--no-paste]
// It runs on the platform QT_QPA_PLATFORM names (offscreen when unset).
// Under X11, start another program that owns the clipboard first, e.g.
//   xvfb-run -a sh -c 'xclip -selection clipboard -t image/png -i some.png;
//                      QT_QPA_PLATFORM=xcb build-bench/bin/bench_paste 200 --no-paste'

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/command_state.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "canvas/undo_commands.h"
#include "clipboard/color_picture.h"
#include "clipboard/transparent_paste.h"
#include "fileio/icon_format.h"
#include "fileio/open_flow.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/clipboard.h"
#include "platform/memory.h"
#include "tests/support/icon_samples.h"

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  const double p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
  std::printf("%-44s median %8.3f ms   p99 %8.3f ms   (%zu runs)\n", name, median, p99, times.size());
  std::fflush(stdout);
}

std::vector<double> Time(int runs, const std::function<void()>& prepare, const std::function<void()>& action) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const auto start = Clock::now();
    action();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return times;
}

// A smooth picture, the hardest kind for the shrink search: nearly every
// pixel has a colour of its own, and shrinking keeps many of them.
QImage GradientPicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const auto r = static_cast<std::uint32_t>(255 * x / (width - 1));
      const auto g = static_cast<std::uint32_t>(255 * y / (height - 1));
      row[x] = 0xFF000000u | r << 16 | g << 8 | ((r + g) / 2);
    }
  }
  return image;
}

ImageTab& OpenFullTab() {
  DeleteAllTabs();
  ImageTab* tab = CreateTab("", 64, 64, 0);
  *tab = samples::PatternTab(64, 64, 0, 7);
  RecordUndo(*tab);
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  return *tab;
}

void BenchPastes(int runs) {
  for (const auto& [width, height] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
    QApplication::clipboard()->setImage(GradientPicture(width, height));
    QApplication::processEvents();
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    ImageTab& tab = OpenFullTab();
    const auto undo = [&] {
      if (tab.undoCurrent != tab.undoFirst) DispatchCommand(CMD_UNDO);
    };
    Report(("paste as it is (204) " + size).c_str(), Time(runs, undo, [] { DispatchCommand(CMD_PASTE); }));
    Report(("paste nearest colours (206) " + size).c_str(),
           Time(runs, undo, [] { DispatchCommand(CMD_PASTE_NEAREST); }));
    // Everything the transparent paste does before its dialog shows.
    Report(("paste transparent (205) to dialog " + size).c_str(), Time(runs, [] {}, [&] {
             ColorPicture picture;
             TakePictureFromClipboard(picture);
             auto paste = std::make_unique<PastePicture>();
             PreparePastePicture(tab, picture.Surface(), *paste);
           }));
  }
}

void BenchOpenAndRefresh(int runs) {
  std::vector<std::unique_ptr<ImageTab>> tabs;
  std::vector<const ImageTab*> order;
  for (unsigned i = 0; i < 20; ++i) {
    tabs.push_back(std::make_unique<ImageTab>(samples::PatternTab(64, 64, 0, i + 1)));
    order.push_back(tabs.back().get());
  }
  const std::string path = "/tmp/quillet2-bench-twenty.ico";
  const ByteBuffer bytes = SerializeIcon(order);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  Report("open a file of 20 images (64x64x256)", Time(runs, [] {
           DeleteAllTabs();
           tabSet.documentName.clear();
           QApplication::processEvents();
         }, [&] { OpenIconFile(path); }));
  Report("refresh every command state", Time(runs * 10, [] {}, [] { RefreshCommandState(GROUP_ALL, 1); }));
  std::remove(path.c_str());
}

}  // namespace

int main(int argc, char* argv[]) {
  // As the program does at start-up.
  KeepFreedMemoryForReuse();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  int runs = 200;
  bool pastes = true;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--no-paste") == 0)
      pastes = false;
    else
      runs = std::max(1, std::atoi(argv[i]));
  }
  iniPath = "/tmp/quillet2-bench-paste.ini";
  CreateMainWindow();
  QApplication::processEvents();
  std::printf("platform %s\n", QGuiApplication::platformName().toUtf8().constData());
  BenchOpenAndRefresh(runs);
  if (pastes) BenchPastes(runs);
  DeleteAllTabs();
  DestroyMainWindow();
  return 0;
}
