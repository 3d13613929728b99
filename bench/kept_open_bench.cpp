// Opening an application's icon family: a 256 x 256 PNG image and four
// 32-bit images (16, 24, 32, 48 px, soft alpha), each opened as a
// true-colour tab, until the first tab is shown and its picture painted in
// the edit view and the preview. Prints the median and the 99th percentile.
//
// Usage: bench_kept_open [RUNS]

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QMainWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "fileio/open_flow.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/memory.h"
#include "tests/support/family_icon.h"

namespace {

using Clock = std::chrono::steady_clock;

ByteBuffer FamilyFile() {
  QImage picture(256, 256, QImage::Format_ARGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) picture.setPixel(x, y, qRgba(x, y, (x * y) % 256, (x + y) / 2));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  import_samples::Entry big;
  big.width = big.height = 256;
  big.raw = ByteBuffer(png.begin(), png.end());
  return import_samples::BuildIcon(
      {big, family_icon::Ramp(16, 1), family_icon::Ramp(24, 2), family_icon::Ramp(32, 3), family_icon::Ramp(48, 4)});
}

}  // namespace

int main(int argc, char* argv[]) {
  KeepFreedMemoryForReuse();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  iniPath = "/tmp/quillet2-bench-kept.ini";
  CreateMainWindow();
  QApplication::processEvents();
  const std::string path = "/tmp/quillet2-bench-family.ico";
  const ByteBuffer bytes = FamilyFile();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    DeleteAllTabs();
    tabSet.documentName.clear();
    QApplication::processEvents();
    const auto start = Clock::now();
    OpenIconFile(path);
    // The window shows what the open painted.
    mainWindows.main->repaint();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (tabSet.tabCount != 5) {
      std::fprintf(stderr, "the file did not open into 5 tabs\n");
      return 1;
    }
  }
  std::sort(times.begin(), times.end());
  std::printf("%-52s median %8.3f ms   p99 %8.3f ms   (%d runs)\n", "open 256 px PNG + four 32-bit images, show tab 1",
              times[times.size() / 2], times[std::min(times.size() - 1, times.size() * 99 / 100)], runs);
  DeleteAllTabs();
  DestroyMainWindow();
  std::remove(path.c_str());
  return 0;
}
