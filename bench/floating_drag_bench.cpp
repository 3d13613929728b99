// Dragging a floating 64 x 64 block at the largest zoom in a 1920 x 1080
// edit view: the time from one mouse move of the drag until the window has
// painted the block at its new place. Prints the median and the 99th
// percentile.
//
// Usage: bench_floating_drag [MOVES]
// It runs on the platform QT_QPA_PLATFORM names (offscreen when unset).

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "canvas/edit_view.h"
#include "canvas/floating_paste.h"
#include "canvas/zoom.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"

namespace {

void SendMouse(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons buttons) {
  auto* frame = static_cast<QFrame*>(editView.window);
  const QPointF local = QPointF(client + frame->contentsRect().topLeft());
  QMouseEvent event(type, local, frame->mapToGlobal(local), button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(frame, &event);
}

// The client point in the middle of image cell (x, y) as the view shows it.
QPoint CellPoint(const ImageTab& tab, int x, int y) {
  return {EDIT_ORIGIN + x * tab.cellSize + tab.cellSize / 2 - editView.scrollX,
          EDIT_ORIGIN + y * tab.cellSize + tab.cellSize / 2 - editView.scrollY};
}

double Percentile(std::vector<double> times, double share) {
  std::sort(times.begin(), times.end());
  return times[static_cast<std::size_t>(share * static_cast<double>(times.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  const int moves = argc > 1 ? std::max(10, std::atoi(argv[1])) : 400;
  iniPath = "/tmp/quillet2-bench-floating.ini";
  CreateMainWindow();
  auto* frame = static_cast<QFrame*>(editView.window);
  frame->resize(1920 + 2 * frame->frameWidth(), 1080 + 2 * frame->frameWidth());
  RebuildEditBackBuffer();

  ImageTab* tab = CreateTab("", 64, 64, 0);
  tab->width = tab->height = 64;
  tab->colorCode = 0;
  for (int i = 0; i < 256; ++i) tab->palette[i] = static_cast<ColorRef>(i * 0x010305);
  for (int x = 0; x < 64; ++x)
    for (int y = 0; y < 64; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>((x * 7 + y * 3) % 256);
  tabSet.currentPosition = 0;
  ShowCurrentPosition();
  // The largest zoom, scrolled to the middle of the image.
  const int largest = *std::rbegin(ZOOM_CELL_SIZES);
  tab->zoom = ViewZoom{largest, largest * 32, largest * 32};
  Announce(tab, CHANGE_ZOOM);

  auto block = std::make_unique<FloatingBlock>();
  block->width = block->height = 64;
  for (int x = 0; x < 64; ++x)
    for (int y = 0; y < 64; ++y) block->cells[CellIndex(x, y)] = static_cast<PixelCell>((x + y) % 256);
  StartFloating(*tab, *block);
  frame->repaint();

  // Take hold of the block in the middle of the view and drag it one cell
  // to the right and back, again and again.
  const int holdX = 40;
  const int holdY = 36;
  SendMouse(QEvent::MouseButtonPress, CellPoint(*tab, holdX, holdY), Qt::LeftButton, Qt::LeftButton);
  int missed = 0;
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(moves));
  for (int i = 0; i < moves; ++i) {
    const QPoint to = CellPoint(*tab, holdX + (i % 2 == 0 ? 1 : 0), holdY);
    const auto start = std::chrono::steady_clock::now();
    SendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    frame->repaint();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    // Each move must really have moved the block.
    if (floatingPaste.block.left != (i % 2 == 0 ? 1 : 0)) ++missed;
  }
  SendMouse(QEvent::MouseButtonRelease, CellPoint(*tab, holdX, holdY), Qt::LeftButton, Qt::NoButton);
  std::printf("floating 64x64 drag, cell size %d, view 1920x1080, %d moves: median %.2f ms, p99 %.2f ms%s\n",
              tab->cellSize, moves, Percentile(times, 0.5), Percentile(times, 0.99),
              missed == 0 ? "" : " (some moves did not move the block)");
  CancelFloating();
  DestroyMainWindow();
  return 0;
}
