// Speed of the edit view and the pen tools, and the memory of one undo
// snapshot. Runs on Qt's offscreen platform, so it needs no display.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFrame>
#include <QMouseEvent>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "canvas/edit_view.h"
#include "canvas/pen_tools.h"
#include "canvas/transform_algorithms.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "model/undo_history.h"

namespace {

// A fresh current tab of the given size and colour code, shown in an edit
// view whose client area is clientWidth x clientHeight.
ImageTab& OpenBenchTab(int width, int height, std::uint8_t colorCode, int clientWidth, int clientHeight) {
  if (mainWindows.main == nullptr) {
    // Settings of its own, so that the program's own file is never touched.
    iniPath = "/tmp/quillet2-bench-canvas.ini";
    CreateMainWindow();
  }
  DeleteAllTabs();
  auto* frame = static_cast<QFrame*>(editView.window);
  frame->resize(clientWidth + 2 * frame->frameWidth(), clientHeight + 2 * frame->frameWidth());
  RebuildEditBackBuffer();
  ImageTab* tab = CreateTab("", width, height, colorCode);
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  tab->colorCode = colorCode;
  const int colors = PaletteSize(*tab);
  for (int i = 0; i < colors; ++i) tab->palette[i] = static_cast<ColorRef>(i * 0x010305);
  // A mix of opaque and transparent cells, as a real icon has.
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      CellAt(*tab, x, y) = static_cast<PixelCell>((x * 7 + y * 3) % colors | ((x + y) % 5 == 0 ? 0x100 : 0));
  tab->penMask = 0;
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  return *tab;
}

void SendMouse(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons buttons) {
  auto* frame = static_cast<QFrame*>(editView.window);
  const QPointF local = QPointF(client + frame->contentsRect().topLeft());
  QMouseEvent event(type, local, local, button, buttons, Qt::NoModifier);
  QCoreApplication::sendEvent(frame, &event);
}

// Zooms the current tab to the cell size (0 = fitted) and scrolls it to the
// middle of the image, as the zoom commands would.
void ZoomBenchTab(ImageTab& tab, int cellSize) {
  tab.zoom = ViewZoom{cellSize, cellSize * 16, cellSize * 16};
  Announce(&tab, CHANGE_ZOOM);
}

// The argument is the zoom: 0 fits the image to the view (16 pixels per
// cell here), 64 shows only the cells that fit into the view.
void BM_RepaintEditView64In1920x1080(benchmark::State& state) {
  ImageTab& tab = OpenBenchTab(64, 64, 0, 1920, 1080);
  ZoomBenchTab(tab, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RepaintEditView(&tab);
    benchmark::DoNotOptimize(editView.backBuffer.constBits());
  }
  state.counters["cellSize"] = tab.cellSize;
}
BENCHMARK(BM_RepaintEditView64In1920x1080)->Arg(0)->Arg(64)->Unit(benchmark::kMillisecond);

void BM_PaintCell(benchmark::State& state) {
  ImageTab& tab = OpenBenchTab(64, 64, 0, 1920, 1080);
  int i = 0;
  for (auto _ : state) {
    const int x = i & 63;
    const int y = (i >> 6) & 63;
    PaintCell(x, y, CellAt(tab, x, y), tab);
    ++i;
  }
  state.counters["cellSize"] = tab.cellSize;
}
BENCHMARK(BM_PaintCell);

// One stroke of the normal pen: a press, 998 drags onto new cells and the
// release, all through the edit view's mouse handling; the release records
// the stroke's undo snapshot. The argument is the zoom, as above.
void BM_PenStroke1000Events(benchmark::State& state) {
  ImageTab& tab = OpenBenchTab(64, 64, 0, 1920, 1080);
  ZoomBenchTab(tab, static_cast<int>(state.range(0)));
  tab.penMode = PEN_NORMAL;
  const int s = tab.cellSize;
  // The cells the view shows, beside the room a scroll bar may take.
  const int columns = std::min(64, (1920 - 40) / s);
  const int rows = std::min(64, (1080 - 40) / s);
  std::vector<QPoint> path;
  for (int i = 0; i < 999; ++i) {
    // A zigzag across the view, one cell apart: every event lands on another
    // cell.
    const int row = i / columns % rows;
    const int column = row % 2 == 0 ? i % columns : columns - 1 - i % columns;
    path.emplace_back(16 + column * s + s / 2, 16 + row * s + s / 2);
  }
  for (auto _ : state) {
    SendMouse(QEvent::MouseButtonPress, path[0], Qt::LeftButton, Qt::LeftButton);
    for (size_t i = 1; i < path.size(); ++i) SendMouse(QEvent::MouseMove, path[i], Qt::NoButton, Qt::LeftButton);
    SendMouse(QEvent::MouseButtonRelease, path.back(), Qt::LeftButton, Qt::NoButton);
    tab.penIndex = static_cast<std::uint8_t>(tab.penIndex + 1);
    // Free the snapshots now and then so that the history does not grow
    // without end during a long run; the first snapshot stays.
    if (state.iterations() % 256 == 0) {
      state.PauseTiming();
      FreeUndoHistory(tab);
      PushUndoSnapshot(tab);
      state.ResumeTiming();
    }
  }
  state.counters["events"] = 1000;
  state.counters["time_per_event"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 1000, benchmark::Counter::kIsRate |
                                                                             benchmark::Counter::kInvert);
}
BENCHMARK(BM_PenStroke1000Events)->Arg(0)->Arg(64)->Unit(benchmark::kMillisecond);

// The heap memory one step of a 64 x 64, 256-colour tab takes when each
// step changes one pixel (a short pen stroke), counted by the allocator
// over 1,000 steps, beside the bytes the history says it holds.
void BM_UndoSnapshotMemory(benchmark::State& state) {
  ImageTab& tab = OpenBenchTab(64, 64, 0, 600, 400);
  constexpr int SNAPSHOTS = 1000;
  double heapPerSnapshot = 0;
  double historyPerSnapshot = 0;
  for (auto _ : state) {
    state.PauseTiming();
    FreeUndoHistory(tab);
    PushUndoSnapshot(tab);
    const std::size_t before = mallinfo2().uordblks;
    state.ResumeTiming();
    for (int i = 0; i < SNAPSHOTS; ++i) {
      CellAt(tab, i % 64, i / 64 % 64) = static_cast<PixelCell>(i % 256);
      PushUndoSnapshot(tab);
    }
    state.PauseTiming();
    const std::size_t after = mallinfo2().uordblks;
    heapPerSnapshot = static_cast<double>(after - before) / SNAPSHOTS;
    historyPerSnapshot = static_cast<double>(UndoHistoryBytes(tab)) / SNAPSHOTS;
    state.ResumeTiming();
  }
  FreeUndoHistory(tab);
  state.counters["heap_bytes_per_snapshot"] = heapPerSnapshot;
  state.counters["history_bytes_per_snapshot"] = historyPerSnapshot;
  state.counters["whole_snapshot_bytes"] = static_cast<double>(UndoSnapshotBytes(tab));
  state.SetItemsProcessed(state.iterations() * SNAPSHOTS);
}
BENCHMARK(BM_UndoSnapshotMemory)->Unit(benchmark::kMillisecond);

// A fresh current 256 x 256 true-colour tab of soft colours, fitted into a
// 1920 x 1080 view.
ImageTab& OpenTrueColourBenchTab() {
  OpenBenchTab(16, 16, 0, 1920, 1080);
  DeleteAllTabs();
  ImageTab* tab = CreateTrueColourTab("", 256, 256);
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 256; ++y)
      CellAt(*tab, x, y) = TrueColourCell(static_cast<std::uint32_t>((x + y) & 0xFF) << 24 | x << 16 | y << 8 | 0x40);
  tab->penMask = 0;
  tabSet.currentPosition = tabSet.tabCount - 1;
  ShowCurrentPosition();
  ZoomBenchTab(*tab, 0);
  return *tab;
}

// The undo memory of 1,000 pen strokes on a 256 x 256 true-colour tab, each
// stroke a short diagonal of 12 pixels somewhere on the image; the bound is
// 64 MiB.
void BM_UndoMemory1000Strokes256(benchmark::State& state) {
  ImageTab& tab = OpenTrueColourBenchTab();
  double historyMiB = 0;
  for (auto _ : state) {
    state.PauseTiming();
    FreeUndoHistory(tab);
    PushUndoSnapshot(tab);
    state.ResumeTiming();
    for (int i = 0; i < 1000; ++i) {
      const int x0 = i * 37 % 240;
      const int y0 = i * 53 % 240;
      for (int k = 0; k < 12; ++k) CellAt(tab, x0 + k, y0 + k) = 0xFF000000u | static_cast<std::uint32_t>(i);
      PushUndoSnapshot(tab);
    }
    state.PauseTiming();
    historyMiB = static_cast<double>(UndoHistoryBytes(tab)) / (1 << 20);
    state.ResumeTiming();
  }
  FreeUndoHistory(tab);
  state.counters["history_MiB"] = historyMiB;
}
BENCHMARK(BM_UndoMemory1000Strokes256)->Unit(benchmark::kMillisecond);

// A full repaint of a 256 x 256 true-colour tab of soft alpha at the fitting
// zoom in a 1920 x 1080 view, over the checkerboard (argument 12, the last
// background) and over a plain background (0); the bound is 8 ms.
void BM_RepaintTrueColour256In1920x1080(benchmark::State& state) {
  ImageTab& tab = OpenTrueColourBenchTab();
  tab.backgroundIndex = static_cast<int>(state.range(0));
  for (auto _ : state) {
    RepaintEditView(&tab);
    benchmark::DoNotOptimize(editView.backBuffer.constBits());
  }
  state.counters["cellSize"] = tab.cellSize;
}
BENCHMARK(BM_RepaintTrueColour256In1920x1080)->Arg(0)->Arg(12)->Unit(benchmark::kMillisecond);

// One pen event on a 256 x 256 true-colour tab: a drag onto the next cell
// of a zigzag through the view, painted and shown; the stroke's press and
// release lie outside the timing.
void BM_TrueColourPenEvent256(benchmark::State& state) {
  ImageTab& tab = OpenTrueColourBenchTab();
  tab.penMode = PEN_NORMAL;
  tab.penColour = 0x80FF8000u;
  const int s = std::max<int>(tab.cellSize, 1);
  const int columns = std::min(256, (1920 - 40) / s);
  const int rows = std::min(256, (1080 - 40) / s);
  const auto at = [&](long i) {
    const int row = static_cast<int>(i / columns % rows);
    const int column = row % 2 == 0 ? static_cast<int>(i % columns) : columns - 1 - static_cast<int>(i % columns);
    return QPoint(16 + column * s + s / 2, 16 + row * s + s / 2);
  };
  SendMouse(QEvent::MouseButtonPress, at(0), Qt::LeftButton, Qt::LeftButton);
  long i = 1;
  for (auto _ : state) SendMouse(QEvent::MouseMove, at(i++), Qt::NoButton, Qt::LeftButton);
  SendMouse(QEvent::MouseButtonRelease, at(i), Qt::LeftButton, Qt::NoButton);
  state.counters["cellSize"] = tab.cellSize;
}
BENCHMARK(BM_TrueColourPenEvent256)->Unit(benchmark::kMicrosecond);

// The fill tool over a whole 256 x 256 true-colour image of one colour,
// each cell set and shown; each run fills with the other of two colours.
void BM_TrueColourFillWhole256(benchmark::State& state) {
  ImageTab& tab = OpenTrueColourBenchTab();
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 256; ++y) CellAt(tab, x, y) = 0xFF102030u;
  PixelCell colours[2] = {0xFF102030u, 0x80FF0000u};
  int turn = 0;
  for (auto _ : state) {
    FloodFill(tab, 128, 128, colours[turn], colours[1 - turn]);
    turn = 1 - turn;
  }
  state.SetItemsProcessed(state.iterations() * 256 * 256);
}
BENCHMARK(BM_TrueColourFillWhole256)->Unit(benchmark::kMillisecond);

// Rotation by an angle of a whole 256 x 256 true-colour selection.
void BM_RotateByAngle256(benchmark::State& state) {
  ImageTab& tab = OpenTrueColourBenchTab();
  tab.selection = {0, 0, 255, 255};
  auto work = std::make_unique<RotateWork>();
  StartRotateWork(*work, tab);
  int angle = 1;
  for (auto _ : state) {
    work->angle = angle;
    RotateByAngle(*work);
    benchmark::DoNotOptimize(work->result[CellIndex(128, 128)]);
    angle = angle % 359 + 1;
  }
}
BENCHMARK(BM_RotateByAngle256)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  DestroyMainWindow();
  return 0;
}
