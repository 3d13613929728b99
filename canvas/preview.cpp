#include "canvas/preview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

#include "canvas/cell_look.h"
#include "canvas/edit_view.h"
#include "canvas/kept_picture.h"
#include "model/tab_set.h"
#include "platform/qt_colors.h"
#include "platform/system_colors.h"

MainPreviewState mainPreview;

namespace {

constexpr int CLIENT_EDGE = 2;
constexpr int SCROLL_BAR_SIZE = 16;

int ScrollCodeOfAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return SCROLL_LINE_UP;
    case QAbstractSlider::SliderSingleStepAdd: return SCROLL_LINE_DOWN;
    case QAbstractSlider::SliderPageStepSub: return SCROLL_PAGE_UP;
    case QAbstractSlider::SliderPageStepAdd: return SCROLL_PAGE_DOWN;
    case QAbstractSlider::SliderToMinimum: return SCROLL_TOP;
    case QAbstractSlider::SliderToMaximum: return SCROLL_BOTTOM;
    case QAbstractSlider::SliderMove: return SCROLL_THUMB_TRACK;
    default: return SCROLL_END;
  }
}

QRect ToQRect(const PixelRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace

PreviewControl::PreviewControl(QWidget* parent, bool scrollBars) : QFrame(parent) {
  setObjectName(QStringLiteral("PreviewWndClass"));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(CLIENT_EDGE);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::ArrowCursor);
  // Moves are passed on also with no button held.
  setMouseTracking(true);
  if (!scrollBars) return;
  vertical_ = new QScrollBar(Qt::Vertical, this);
  horizontal_ = new QScrollBar(Qt::Horizontal, this);
  for (QScrollBar* bar : {vertical_, horizontal_}) {
    const int message = bar == vertical_ ? PVN_VSCROLL : PVN_HSCROLL;
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, bar, message](int action) {
      ForwardScroll(message, ScrollCodeOfAction(action), bar->sliderPosition());
    });
    connect(bar, &QAbstractSlider::sliderReleased, this,
            [this, bar, message] { ForwardScroll(message, SCROLL_THUMB_POSITION, bar->sliderPosition()); });
  }
}

PreviewControl::~PreviewControl() {
  if (mainPreview.control == this) mainPreview = MainPreviewState{};
}

QRect PreviewControl::clientRect() const {
  QRect client = contentsRect();
  if (vertical_ != nullptr) client.setRight(client.right() - SCROLL_BAR_SIZE);
  if (horizontal_ != nullptr) client.setBottom(client.bottom() - SCROLL_BAR_SIZE);
  return client;
}

QImage* PreviewControl::canvas() {
  if (canvas_.isNull()) {
    const QSize size = clientRect().size().expandedTo(QSize(1, 1));
    canvas_ = QImage(size, QImage::Format_RGB32);
    if (canvas_.isNull()) return nullptr;
    FillCanvasRect(canvas_, {0, 0, size.width(), size.height()}, gridLineColor ^ 0xFFFFFFu);
  }
  return &canvas_;
}

void PreviewControl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  drawFrame(&painter);
  // The square where the two scroll bars meet belongs to neither of them;
  // it shows the dialog's face colour like the rest of the dialog.
  if (vertical_ != nullptr && horizontal_ != nullptr) {
    const QRect inside = contentsRect();
    painter.fillRect(QRect(inside.right() - SCROLL_BAR_SIZE + 1, inside.bottom() - SCROLL_BAR_SIZE + 1,
                           SCROLL_BAR_SIZE, SCROLL_BAR_SIZE),
                     ToQColor(GetSystemColor(COLOR_3DFACE)));
  }
  if (canvas_.isNull()) return;
  const QImage& shown = overlay_.size() == canvas_.size() ? overlay_ : canvas_;
  const QRect client = clientRect();
  const QRect damaged = event->rect().translated(-client.topLeft()) & QRect(QPoint(0, 0), shown.size());
  if (!damaged.isEmpty()) painter.drawImage(damaged.topLeft() + client.topLeft(), shown, damaged);
}

void PreviewControl::setOverlay(const QImage& overlay) {
  overlay_ = overlay;
  update();
}

void PreviewControl::clearOverlay() {
  if (overlay_.isNull()) return;
  overlay_ = QImage();
  update();
}

void PreviewControl::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  const QRect inside = contentsRect();
  if (vertical_ != nullptr)
    vertical_->setGeometry(inside.right() - SCROLL_BAR_SIZE + 1, inside.top(), SCROLL_BAR_SIZE,
                           inside.height() - (horizontal_ != nullptr ? SCROLL_BAR_SIZE : 0));
  if (horizontal_ != nullptr)
    horizontal_->setGeometry(inside.left(), inside.bottom() - SCROLL_BAR_SIZE + 1,
                             inside.width() - (vertical_ != nullptr ? SCROLL_BAR_SIZE : 0), SCROLL_BAR_SIZE);
}

void PreviewControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) ForwardMouse(PVN_BUTTONDOWN, event);
}

void PreviewControl::mouseMoveEvent(QMouseEvent* event) { ForwardMouse(PVN_MOUSEMOVE, event); }

void PreviewControl::ForwardScroll(int message, int code, int position) {
  PreviewInput input;
  input.message = message;
  input.scrollCode = code;
  input.scrollPosition = position;
  emit forwarded(this, input);
}

void PreviewControl::ForwardMouse(int message, const QMouseEvent* event) {
  const QPoint point = event->position().toPoint() - clientRect().topLeft();
  PreviewInput input;
  input.message = message;
  input.x = point.x();
  input.y = point.y();
  input.button = message == PVN_BUTTONDOWN ? event->button() : Qt::NoButton;
  input.buttons = event->buttons();
  input.modifiers = event->modifiers();
  emit forwarded(this, input);
}

QImage* GetPreviewCanvas(QWidget* control) {
  auto* preview = qobject_cast<PreviewControl*>(control);
  return preview != nullptr ? preview->canvas() : nullptr;
}

void FillCanvasRect(QImage& canvas, const PixelRect& rect, ColorRef color) {
  RasterSurface surface = SurfaceOf(canvas);
  FillPixelRect(surface, rect, color);
}

ColorRef PreviewColor(const ImageTab& tab, PixelCell value, ColorRef background) {
  if (IsTrueColour(tab)) return CompositeOver(value, background);
  const ColorRef color = tab.palette[value & CELL_INDEX_BITS];
  return (value & CELL_MASK_BIT) != 0 ? (color ^ background) & 0xFFFFFFu : color;
}

// The real-size preview's background, its checkerboard laid from the
// image's top-left pixel at (originX, originY). The preview draws what
// Windows would: a pixel with the mask bit is the background XOR its colour.
namespace {

CellBackground PreviewBackground(const ImageTab& tab, int originX, int originY) {
  return {BackgroundColor(tab.backgroundIndex), tab.backgroundIndex == CHECKERBOARD_BACKGROUND, originX, originY};
}

}  // namespace

QWidget* CreatePreview(QWidget* tabStrip) {
  auto* control = new PreviewControl(tabStrip);
  control->setGeometry(4, 44, 188, 96);
  mainPreview.control = control;
  mainPreview.canvas = control->canvas();
  return control;
}

void RepaintPreview(ImageTab* tab) {
  if (mainPreview.canvas == nullptr) return;
  DrawRealSize(*mainPreview.canvas, tab, mainPreview.originX, mainPreview.originY);
  InvalidatePreview();
}

void DrawRealSize(QImage& canvas, const ImageTab* tab, int& originX, int& originY) {
  RasterSurface surface = SurfaceOf(canvas);
  const PixelRect client{0, 0, surface.width, surface.height};
  if (tabSet.tabCount <= 0 || tab == nullptr) {
    FillCanvasRect(canvas, client, GetSystemColor(COLOR_WINDOW));
  } else if (const KeptEntry* kept = KeptEntryOf(*tab)) {
    DrawKeptPicture(canvas, *kept, BackgroundColor(tab->backgroundIndex), 0, 1);
  } else {
    originX = surface.width / 2 - tab->width / 2;
    originY = surface.height / 2 - tab->height / 2;
    const CellBackground background = PreviewBackground(*tab, originX, originY);
    FillBackground(surface, client, background);
    for (int y = tab->height - 1; y >= 0; --y)
      for (int x = 0; x < tab->width; ++x) {
        const int px = originX + x;
        const int py = originY + y;
        SetSurfacePixel(surface, px, py, PreviewColor(*tab, CellAt(*tab, x, y), background.At(px, py)));
      }
  }
}

void PaintPreviewPixel(int x, int y, PixelCell value, const ImageTab& tab, PixelRect* rect) {
  if (mainPreview.canvas == nullptr) return;
  RasterSurface surface = SurfaceOf(*mainPreview.canvas);
  const int px = surface.width / 2 - tab.width / 2 + x;
  const int py = surface.height / 2 - tab.height / 2 + y;
  const CellBackground background =
      PreviewBackground(tab, surface.width / 2 - tab.width / 2, surface.height / 2 - tab.height / 2);
  SetSurfacePixel(surface, px, py, PreviewColor(tab, value, background.At(px, py)));
  if (rect != nullptr) *rect = {px, py, px + 1, py + 1};
}

void InvalidatePreviewRect(const PixelRect& rect) {
  if (mainPreview.control == nullptr) return;
  mainPreview.control->update(ToQRect(rect).translated(mainPreview.control->clientRect().topLeft()));
}

void InvalidatePreview() {
  if (mainPreview.control != nullptr) mainPreview.control->update();
}
