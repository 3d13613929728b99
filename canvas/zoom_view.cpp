#include "canvas/zoom_view.h"

#include <QFrame>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>
#include <cstdlib>

#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "canvas/zoom.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"

namespace {

// One notch of a mouse wheel, in Qt's eighths of a degree.
constexpr int WHEEL_NOTCH = 120;
// A notch scrolls this many cells, and never less than this many pixels.
constexpr int CELLS_PER_NOTCH = 3;
constexpr int MIN_PIXELS_PER_NOTCH = 24;

struct ScrollBars {
  QScrollBar* horizontal = nullptr;
  QScrollBar* vertical = nullptr;
  // The square between the two bars, in the colour of the window.
  QWidget* corner = nullptr;
  // Wheel turns smaller than a notch, kept until they make one up.
  int zoomTurn = 0;
};

ScrollBars bars;

void AnnounceZoom(ImageTab& tab) { Announce(&tab, CHANGE_ZOOM); }

void FollowBar(QScrollBar* bar, bool horizontal) {
  QObject::connect(bar, &QScrollBar::valueChanged, bar, [horizontal](int value) {
    ImageTab* tab = CurrentTab();
    if (tab == nullptr) return;
    (horizontal ? tab->zoom.scrollX : tab->zoom.scrollY) = value;
    AnnounceZoom(*tab);
  });
  QObject::connect(bar, &QObject::destroyed, [bar] {
    if (bars.horizontal == bar) bars.horizontal = nullptr;
    if (bars.vertical == bar) bars.vertical = nullptr;
  });
}

void SetBar(QScrollBar* bar, bool shown, const QRect& place, int maximum, int page, int value) {
  if (bar == nullptr) return;
  const QSignalBlocker quiet(bar);
  bar->setVisible(shown);
  if (!shown) return;
  bar->setGeometry(place);
  bar->setRange(0, maximum);
  bar->setPageStep(std::max(page, 1));
  bar->setSingleStep(MIN_PIXELS_PER_NOTCH);
  bar->setValue(value);
}

int BarThickness() {
  QWidget* view = editView.window;
  return view != nullptr ? view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view) : 16;
}

// The view's client rectangle, in the view's own coordinates.
QRect ClientRect() {
  auto* frame = qobject_cast<QFrame*>(editView.window);
  return frame != nullptr ? frame->contentsRect() : QRect();
}

// What the view shows of the tab at its zoom now.
ZoomFrame CurrentFrame(const ImageTab& tab) {
  const QRect client = ClientRect();
  return FrameZoom(tab.zoom, client.width(), client.height(), BarThickness(), tab.width, tab.height);
}

}  // namespace

void AttachScrollBars(QWidget* view) {
  bars.horizontal = new QScrollBar(Qt::Horizontal, view);
  bars.horizontal->setObjectName(QStringLiteral("editHScroll"));
  bars.vertical = new QScrollBar(Qt::Vertical, view);
  bars.vertical->setObjectName(QStringLiteral("editVScroll"));
  for (QScrollBar* bar : {bars.horizontal, bars.vertical}) {
    bar->hide();
    // The keys belong to the commands, not to the bars.
    bar->setFocusPolicy(Qt::NoFocus);
  }
  FollowBar(bars.horizontal, true);
  FollowBar(bars.vertical, false);
  bars.corner = new QWidget(view);
  bars.corner->setAutoFillBackground(true);
  bars.corner->hide();
  QObject::connect(bars.corner, &QObject::destroyed, [] { bars.corner = nullptr; });
}

int ApplyZoomFrame(ImageTab& tab, int areaWidth, int areaHeight) {
  const int thickness = BarThickness();
  const ZoomFrame frame = FrameZoom(tab.zoom, areaWidth, areaHeight, thickness, tab.width, tab.height);
  ClampScroll(tab.zoom, frame);
  editView.scrollX = tab.zoom.cellSize > 0 ? tab.zoom.scrollX : 0;
  editView.scrollY = tab.zoom.cellSize > 0 ? tab.zoom.scrollY : 0;
  const QPoint origin = ClientRect().topLeft();
  SetBar(bars.horizontal, frame.horizontalBar, QRect(origin.x(), origin.y() + frame.viewHeight, frame.viewWidth, thickness),
         frame.maxScrollX, frame.viewWidth, editView.scrollX);
  SetBar(bars.vertical, frame.verticalBar, QRect(origin.x() + frame.viewWidth, origin.y(), thickness, frame.viewHeight),
         frame.maxScrollY, frame.viewHeight, editView.scrollY);
  if (bars.corner != nullptr) {
    bars.corner->setVisible(frame.horizontalBar && frame.verticalBar);
    bars.corner->setGeometry(origin.x() + frame.viewWidth, origin.y() + frame.viewHeight, thickness, thickness);
  }
  return frame.cellSize;
}

CellRect VisibleCellArea(const ImageTab& tab) {
  if (tab.zoom.cellSize <= 0 || tab.cellSize == 0) return WholeImage(tab);
  const ZoomFrame frame = CurrentFrame(tab);
  const CellSpan columns = VisibleCells(tab.zoom.scrollX, frame.viewWidth, frame.cellSize, tab.width);
  const CellSpan rows = VisibleCells(tab.zoom.scrollY, frame.viewHeight, frame.cellSize, tab.height);
  if (columns.end <= columns.first || rows.end <= rows.first) return WholeImage(tab);
  return {columns.first, rows.first, columns.end - 1, rows.end - 1};
}

void HideScrollBars() {
  SetBar(bars.horizontal, false, {}, 0, 0, 0);
  SetBar(bars.vertical, false, {}, 0, 0, 0);
  if (bars.corner != nullptr) bars.corner->hide();
  editView.scrollX = editView.scrollY = 0;
}

void ZoomCurrentTabAt(int direction, int x, int y) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr || tab->cellSize == 0) return;
  const int step = ZoomStep(tab->cellSize, direction);
  if (step == 0) return;
  // The view's scroll is the one shown, also when the tab was fitted.
  tab->zoom.scrollX = editView.scrollX;
  tab->zoom.scrollY = editView.scrollY;
  ZoomAround(tab->zoom, tab->cellSize, step, x, y);
  AnnounceZoom(*tab);
}

void ZoomCurrentTab(int direction) {
  const ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  const ZoomFrame frame = CurrentFrame(*tab);
  ZoomCurrentTabAt(direction, frame.viewWidth / 2, frame.viewHeight / 2);
}

void FitCurrentTab() {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  tab->zoom = ViewZoom{};
  AnnounceZoom(*tab);
}

void ScrollCurrentTab(int dx, int dy) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr || tab->zoom.cellSize <= 0 || (dx == 0 && dy == 0)) return;
  const ZoomFrame frame = CurrentFrame(*tab);
  const ViewZoom before = tab->zoom;
  tab->zoom.scrollX += dx;
  tab->zoom.scrollY += dy;
  ClampScroll(tab->zoom, frame);
  if (tab->zoom.scrollX != before.scrollX || tab->zoom.scrollY != before.scrollY) AnnounceZoom(*tab);
}

void HandleEditWheel(QPoint angleDelta, Qt::KeyboardModifiers modifiers, int x, int y) {
  // Some systems turn a wheel held with Shift into a sideways one; either
  // way the turn is whichever of the two is given.
  const int turn = angleDelta.y() != 0 ? angleDelta.y() : angleDelta.x();
  if (turn == 0) return;
  if (modifiers & Qt::ControlModifier) {
    // Fine-grained wheels send parts of a notch: one step is taken per whole
    // notch, and turning back starts counting anew.
    if ((bars.zoomTurn > 0) != (turn > 0)) bars.zoomTurn = 0;
    bars.zoomTurn += turn;
    if (std::abs(bars.zoomTurn) < WHEEL_NOTCH) return;
    bars.zoomTurn = 0;
    ZoomCurrentTabAt(turn > 0 ? 1 : -1, x, y);
    return;
  }
  const ImageTab* tab = CurrentTab();
  if (tab == nullptr) return;
  const int perNotch = std::max(CELLS_PER_NOTCH * tab->cellSize, MIN_PIXELS_PER_NOTCH);
  // Turning the wheel away from the user moves the view up or left.
  const int pixels = -turn * perNotch / WHEEL_NOTCH;
  if (modifiers & Qt::ShiftModifier) ScrollCurrentTab(pixels, 0);
  else ScrollCurrentTab(0, pixels);
}
