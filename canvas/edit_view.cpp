#include "canvas/edit_view.h"

#include <QComboBox>
#include <QFrame>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>

#include "canvas/cell_geometry.h"
#include "canvas/floating_paste.h"
#include "canvas/kept_picture.h"
#include "canvas/cell_look.h"
#include "canvas/text_place.h"
#include "canvas/hot_spot_tool.h"
#include "canvas/pen_algorithms.h"
#include "canvas/pen_tools.h"
#include "canvas/preview.h"
#include "canvas/zoom.h"
#include "canvas/zoom_view.h"
#include "model/kept_entries.h"
#include "model/tab_lifecycle.h"
#include "model/tab_set.h"
#include "platform/qt_colors.h"
#include "platform/system_colors.h"

int grid = 1;
std::uint32_t gridLineColor = 0;
EditViewState editView;

namespace {

constexpr int SCRATCH_SIZE = STORE_SIZE;
// The sunken client edge around the view.
constexpr int CLIENT_EDGE = 2;

class EditViewWidget : public QFrame {
 public:
  explicit EditViewWidget(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("editWndClass"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(CLIENT_EDGE);
    // The rubber bands follow the mouse with no button held.
    setMouseTracking(true);
    // Every visible pixel comes from the back buffer, so the window is never
    // erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    editView.window = this;
    editView.circleScratch = QImage(SCRATCH_SIZE, SCRATCH_SIZE, QImage::Format_RGB32);
    AttachScrollBars(this);
  }

  ~EditViewWidget() override {
    if (editView.window == this) editView = EditViewState{};
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    drawFrame(&painter);
    const QPoint origin = contentsRect().topLeft();
    const QRect damaged = event->rect().translated(-origin) & QRect(QPoint(0, 0), editView.backBuffer.size());
    if (damaged.isEmpty()) return;
    if (editView.blank) {
      painter.fillRect(damaged.translated(origin), ToQColor(GetSystemColor(COLOR_WINDOW)));
      return;
    }
    painter.drawImage(damaged.topLeft() + origin, editView.backBuffer, damaged);
    if (editView.overlayUsed) painter.drawImage(damaged.topLeft() + origin, editView.windowOverlay, damaged);
    DrawHotSpotMark(painter, origin);
  }

  void mousePressEvent(QMouseEvent* event) override {
    const QPoint point = ClientPoint(event);
    if (PlacesText(point, event->buttons())) {
      TellPointer(event);
      return;
    }
    if (KeptTabShown()) {
      TellPointer(event);
      return;
    }
    if (event->button() == Qt::LeftButton) {
      HandleEditMouse(point.x(), point.y(), true, (event->buttons() & Qt::RightButton) != 0);
    } else if (event->button() == Qt::RightButton) {
      HandleEditRightPress(point.x(), point.y());
    }
    TellPointer(event);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint point = ClientPoint(event);
    if (PlacesText(point, event->buttons())) {
      TellPointer(event);
      return;
    }
    if (!KeptTabShown())
      HandleEditMouse(point.x(), point.y(), (event->buttons() & Qt::LeftButton) != 0,
                    (event->buttons() & Qt::RightButton) != 0);
    TellPointer(event);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (textPlacement) {
      TellPointer(event);
      return;
    }
    if (event->button() == Qt::LeftButton && !KeptTabShown()) {
      const QPoint point = ClientPoint(event);
      HandleEditLeftRelease(point.x(), point.y());
    }
    TellPointer(event);
  }

  void leaveEvent(QEvent*) override {
    editView.pointerOver = false;
    if (editView.pointerShown != nullptr) editView.pointerShown();
  }

  void wheelEvent(QWheelEvent* event) override {
    const QPoint client = event->position().toPoint() - contentsRect().topLeft();
    HandleEditWheel(event->angleDelta(), event->modifiers(), client.x(), client.y());
    event->accept();
  }

 private:
  // While the text dialog runs, the left button places its text and draws
  // nothing; the cell is counted from the image's corner, so it may lie
  // outside the image.
  static bool PlacesText(const QPoint& point, Qt::MouseButtons buttons) {
    if (!textPlacement) return false;
    const ImageTab* tab = CurrentTab();
    if ((buttons & Qt::LeftButton) != 0 && tab != nullptr && tab->cellSize > 0) {
      const auto cell = [&](int p) {
        const int offset = p - EDIT_ORIGIN;
        return offset >= 0 ? offset / tab->cellSize : -((-offset + tab->cellSize - 1) / tab->cellSize);
      };
      textPlacement(cell(point.x()), cell(point.y()));
    }
    return true;
  }

  // A kept tab's picture is shown, never drawn on.
  static bool KeptTabShown() {
    const ImageTab* tab = CurrentTab();
    return tab != nullptr && IsKeptTab(*tab);
  }

  // The point in the coordinates of the whole zoomed image, which the tools
  // map to cells.
  QPoint ClientPoint(const QMouseEvent* event) const {
    const QPoint client = event->position().toPoint() - contentsRect().topLeft();
    return {ImagePointX(client.x()), ImagePointY(client.y())};
  }

  void TellPointer(const QMouseEvent* event) {
    const QPoint client = event->position().toPoint() - contentsRect().topLeft();
    editView.pointerOver = rect().contains(event->position().toPoint());
    editView.pointerX = client.x();
    editView.pointerY = client.y();
    if (editView.pointerShown != nullptr) editView.pointerShown();
  }
};

QRect ToClientQRect(const PixelRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// A rectangle of the whole zoomed image as it lies in the back buffer.
PixelRect InBuffer(const PixelRect& rect) {
  return {rect.left - editView.scrollX, rect.top - editView.scrollY, rect.right - editView.scrollX,
          rect.bottom - editView.scrollY};
}

// The background of the tab as the back buffer shows it: the checkerboard
// is laid from the image's top-left corner, so it scrolls with the cells.
CellBackground EditBackground(const ImageTab& tab) {
  return {BackgroundColor(tab.backgroundIndex), tab.backgroundIndex == CHECKERBOARD_BACKGROUND, -editView.scrollX,
          -editView.scrollY};
}

// A cell with the mask bit inside its outline: the background, and the mark
// of an inverted cell, kept a pixel off the edges when there is room.
void PaintMaskedCell(RasterSurface& surface, const PixelRect& inside, CellKind kind, ColorRef color,
                     const CellBackground& background) {
  if (background.checker) FillBackground(surface, inside, background);
  if (kind != CellKind::Inverted) return;
  const bool room = inside.right - inside.left >= 5 && inside.bottom - inside.top >= 5;
  const int margin = room ? 1 : 0;
  DrawInvertedMark(surface, {inside.left + margin, inside.top + margin, inside.right - margin, inside.bottom - margin},
                   color, background);
}

// A true-colour cell: its colour over the background inside the grid
// lines. Below TRUE_COLOUR_GRID_MIN screen pixels per cell the lines would
// cover most of the picture (a large image fitted into the view), so the
// caller leaves them out there.
constexpr int TRUE_COLOUR_GRID_MIN = 4;
void PaintTrueColourCell(RasterSurface& surface, const PixelRect& shown, PixelCell value,
                         const CellBackground& background, bool gridLines) {
  if (gridLines) {
    DrawFramedRect(surface, shown, CompositeOver(value, background.color), gridLineColor, 1);
    if (background.checker && value >> 24 != 0xFF)
      FillCompositeRect(surface, {shown.left + 1, shown.top + 1, shown.right - 1, shown.bottom - 1}, value, background);
    return;
  }
  FillCompositeRect(surface, {shown.left, shown.top, shown.right - 1, shown.bottom - 1}, value, background);
}

void UpdateWindowRect(const QRect& clientRect) {
  if (editView.window == nullptr || clientRect.isEmpty()) return;
  auto* frame = static_cast<QFrame*>(editView.window);
  editView.window->update(clientRect.translated(frame->contentsRect().topLeft()));
}

}  // namespace

RasterSurface SurfaceOf(QImage& image) {
  if (image.isNull()) return {};
  return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
          static_cast<int>(image.bytesPerLine() / 4)};
}

QWidget* CreateEditView(QWidget* tabStrip) { return new EditViewWidget(tabStrip); }

namespace {

// A view squeezed to nothing still gets a one-pixel buffer, so that an
// empty client area is not mistaken for a lack of memory.
QSize BackBufferSize(const QFrame& frame) { return frame.contentsRect().size().expandedTo(QSize(1, 1)); }

}  // namespace

bool EditBackBufferFitsView() {
  const auto* frame = static_cast<const QFrame*>(editView.window);
  return frame != nullptr && !editView.backBuffer.isNull() && editView.backBuffer.size() == BackBufferSize(*frame);
}

bool RebuildEditBackBuffer() {
  auto* frame = static_cast<QFrame*>(editView.window);
  if (frame == nullptr) return true;
  const QSize size = BackBufferSize(*frame);
  editView.backBuffer = QImage(size, QImage::Format_RGB32);
  if (editView.backBuffer.isNull()) return false;
  editView.windowOverlay = QImage();
  editView.overlayUsed = false;
  RepaintEditView(CurrentTab());
  return true;
}

namespace {

void PaintEditView(ImageTab* tab, GridLines lines) {
  if (editView.window == nullptr || editView.backBuffer.isNull()) return;
  RasterSurface surface = SurfaceOf(editView.backBuffer);
  const PixelRect client{0, 0, surface.width, surface.height};
  editView.blank = tabSet.tabCount <= 0 || tab == nullptr;
  if (editView.blank) {
    HideScrollBars();
  } else if (const KeptEntry* kept = KeptEntryOf(*tab)) {
    HideScrollBars();
    // The status line names the zoom the picture is shown at.
    tab->cellSize = static_cast<std::uint8_t>(DrawKeptPicture(editView.backBuffer, *kept, BackgroundColor(tab->backgroundIndex), EDIT_ORIGIN,
                    std::end(ZOOM_CELL_SIZES)[-1]));
  } else {
    FillBackground(surface, client, EditBackground(*tab));
    tab->cellSize = static_cast<std::uint8_t>(ApplyZoomFrame(*tab, surface.width, surface.height));
    // Only the cells that reach into the view are painted, so a zoomed
    // image costs no more than a fitted one.
    const CellSpan columns = VisibleCells(editView.scrollX, surface.width, tab->cellSize, tab->width);
    const CellSpan rows = VisibleCells(editView.scrollY, surface.height, tab->cellSize, tab->height);
    for (int y = rows.first; y < rows.end; ++y)
      for (int x = columns.first; x < columns.end; ++x) PaintCell(x, y, ShownCell(*tab, x, y), *tab, nullptr, lines);
    DrawSelectionFrame(*tab, true);
  }
  InvalidateEditView();
  if (editView.pointerShown != nullptr) editView.pointerShown();
}

}  // namespace

void RepaintEditView(ImageTab* tab) { PaintEditView(tab, GridLines::AsSwitched); }

void RepaintEditViewWithoutGrid(ImageTab& tab) { PaintEditView(&tab, GridLines::Hidden); }

void PaintCell(int x, int y, PixelCell value, const ImageTab& tab, PixelRect* square, GridLines lines) {
  const PixelRect cell = CellSquare(x, y, tab.cellSize);
  if (square != nullptr) *square = cell;
  if (editView.backBuffer.isNull()) return;
  RasterSurface surface = SurfaceOf(editView.backBuffer);
  const PixelRect shown = InBuffer(cell);
  const bool gridLines = lines == GridLines::AsSwitched ? grid == 1 : lines == GridLines::Shown;
  if (IsTrueColour(tab)) {
    PaintTrueColourCell(surface, shown, value, EditBackground(tab), gridLines && tab.cellSize >= TRUE_COLOUR_GRID_MIN);
    return;
  }
  const ColorRef color = tab.palette[value & CELL_INDEX_BITS];
  const int penWidth = gridLines ? 1 : 0;
  const CellKind kind = KindOfCell(tab, value);
  if (kind == CellKind::Opaque) {
    DrawFramedRect(surface, shown, color, gridLineColor, penWidth);
    return;
  }
  // A transparent cell is the background alone; an inverted one carries
  // its mark.
  const CellBackground background = EditBackground(tab);
  DrawFramedRect(surface, shown, background.color, gridLineColor, penWidth);
  const PixelRect inside = penWidth > 0 ? PixelRect{shown.left + 1, shown.top + 1, shown.right - 1, shown.bottom - 1}
                                        : PixelRect{shown.left, shown.top, shown.right - 1, shown.bottom - 1};
  PaintMaskedCell(surface, inside, kind, color, background);
}

namespace {

// The overlay for what tools draw on the window, made clear at the back
// buffer's size the first time it is needed; a null picture when there is no
// memory for it.
QImage& WindowOverlay() {
  if (editView.windowOverlay.size() != editView.backBuffer.size()) {
    editView.windowOverlay = QImage(editView.backBuffer.size(), QImage::Format_ARGB32);
    if (!editView.windowOverlay.isNull()) editView.windowOverlay.fill(0u);
    editView.overlayUsed = false;
  }
  return editView.windowOverlay;
}

}  // namespace

void PaintToolCell(ToolSurface target, int x, int y, const ImageTab& tab) {
  QImage& image = target == TOOL_ON_WINDOW ? WindowOverlay() : editView.backBuffer;
  if (image.isNull()) return;
  RasterSurface surface = SurfaceOf(image);
  const PixelCell value = PenCell(tab);
  const PixelRect square = InBuffer(ToolCellSquare(x, y, tab.cellSize, grid));
  if (IsTrueColour(tab)) {
    // The pen's colour as it will show, inside an outline in its inverse.
    const CellBackground background = EditBackground(tab);
    const ColorRef shown = CompositeOver(value, background.color);
    DrawFramedRect(surface, square, shown, ColorOfArgb(value) ^ 0xFFFFFFu, 2);
    const PixelRect inside{square.left + 2, square.top + 2, square.right - 2, square.bottom - 2};
    if (background.checker) FillCompositeRect(surface, inside, value, background);
    // An eraser's cell looks like the background; a dot keeps it visible.
    if (value >> 24 == 0) FillEllipse(surface, inside, 0);
  } else {
    const ColorRef color = tab.palette[value & CELL_INDEX_BITS];
    const ColorRef outline = color ^ 0xFFFFFFu;
    if ((value & CELL_MASK_BIT) != 0) {
      const CellBackground background = EditBackground(tab);
      DrawFramedRect(surface, square, background.color, outline, 2);
      const PixelRect inside{square.left + 2, square.top + 2, square.right - 2, square.bottom - 2};
      const CellKind kind = KindOfCell(tab, value);
      PaintMaskedCell(surface, inside, kind, color, background);
      // What the tool is about to paint must show even where the cell will
      // look like the background: a transparent pen keeps its dot.
      if (kind == CellKind::Transparent) FillEllipse(surface, inside, color);
    } else {
      DrawFramedRect(surface, square, color, outline, 2);
    }
  }
  if (target == TOOL_ON_WINDOW) {
    // Drawn straight onto the window: it shows at once, and only a later copy
    // of the back buffer takes it away.
    editView.overlayUsed = true;
    UpdateWindowRect(ToClientQRect(square));
  }
}

void DrawSelectionFrame(const ImageTab& tab, bool fresh) {
  if (editView.backBuffer.isNull()) return;
  RasterSurface surface = SurfaceOf(editView.backBuffer);
  const auto drawFrame = [&surface](const PixelRect& frame) {
    const PixelRect inner = InBuffer(frame);
    InvertRectOutline(surface, inner);
    InvertRectOutline(surface, {inner.left - 1, inner.top - 1, inner.right + 1, inner.bottom + 1});
  };
  if (!fresh) drawFrame(editView.lastSelectionFrame);
  editView.lastSelectionFrame = SelectionFrameRect(tab.selection, tab.cellSize);
  drawFrame(editView.lastSelectionFrame);
}

void InvalidateEditRect(const PixelRect& rect) {
  const QRect area = ToClientQRect(InBuffer(rect));
  // The window shows the back buffer again there, so whatever a tool drew on
  // the window in that place is gone.
  if (editView.overlayUsed) {
    QPainter painter(&editView.windowOverlay);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(area, Qt::transparent);
  }
  UpdateWindowRect(area);
}

void InvalidateEditView() {
  if (editView.overlayUsed) {
    editView.windowOverlay.fill(0u);
    editView.overlayUsed = false;
  }
  if (editView.window != nullptr) editView.window->update();
}

QImage EditWindowPicture() {
  QImage picture = editView.backBuffer.copy();
  if (editView.blank && !picture.isNull()) picture.fill(ToQColor(GetSystemColor(COLOR_WINDOW)));
  if (editView.overlayUsed && !picture.isNull()) {
    QPainter painter(&picture);
    painter.drawImage(0, 0, editView.windowOverlay);
  }
  return picture;
}
