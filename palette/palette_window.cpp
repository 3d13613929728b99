#include "palette/palette_window.h"

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "canvas/cell_look.h"
#include "model/change_hub.h"
#include "model/kept_entries.h"
#include "model/tab_lifecycle.h"
#include "palette/colour_dialog.h"
#include "palette/palette_layout.h"
#include "platform/fonts.h"
#include "platform/qt_colors.h"
#include "platform/system_colors.h"
#include "platform/text_fit.h"
#include "platform/translation.h"
#include "platform/ui_text.h"
#include "platform/window_handles.h"

namespace {

constexpr int WINDOW_X = 4;
constexpr int WINDOW_Y = 144;
constexpr int WINDOW_WIDTH = 188;
constexpr int WINDOW_HEIGHT = 227;
// The sunken client edge is two pixels wide on every side.
constexpr int EDGE_WIDTH = 2;
constexpr int BUTTON_TOP = 196;
constexpr int BUTTON_WIDTH = 46;
constexpr int BUTTON_HEIGHT = 23;

QRect ToQRect(const CellRect& rect) {
  return QRect(QPoint(rect.left, rect.top), QPoint(rect.right - 1, rect.bottom - 1));
}

class PaletteWindow : public QFrame {
 public:
  explicit PaletteWindow(QWidget* parent);
  ~PaletteWindow() override;

  QImage backBuffer;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QPoint ClientPoint(const QMouseEvent& event) const {
    return event.position().toPoint() - contentsRect().topLeft();
  }
  // The sunken edge belongs to the frame, not to the client area: a press
  // there would give a negative client coordinate, which the 16-bit cell
  // lookup would turn into a far column.
  bool OnEdge(const QMouseEvent& event) const { return !contentsRect().contains(event.position().toPoint()); }
};

PaletteWindow* paletteWindow = nullptr;

PaletteWindow::PaletteWindow(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("palWndClass"));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(EDGE_WIDTH);
  setGeometry(WINDOW_X, WINDOW_Y, WINDOW_WIDTH, WINDOW_HEIGHT);
  // The back buffer covers the whole client area, so Qt need not clear it
  // before each paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  backBuffer = QImage(contentsRect().size(), QImage::Format_RGB32);
  backBuffer.fill(ToQColor(GetSystemColor(COLOR_BTNFACE)));
  paletteWindow = this;
}

PaletteWindow::~PaletteWindow() {
  if (paletteWindow == this) paletteWindow = nullptr;
}

void PaletteWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect client = contentsRect();
  const QRect dirty = event->rect() & client;
  if (!dirty.isEmpty()) painter.drawImage(dirty.topLeft(), backBuffer, dirty.translated(-client.topLeft()));
  drawFrame(&painter);
}

void PaletteWindow::mousePressEvent(QMouseEvent* event) {
  if ((event->buttons() & (Qt::LeftButton | Qt::RightButton)) == 0 || OnEdge(*event)) return;
  const QPoint point = ClientPoint(*event);
  PaletteButtonDown(point.x(), point.y());
}

void PaletteWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  // Only the left button edits an entry; a right double click is ignored
  // like any other message the window does not handle.
  if (event->button() != Qt::LeftButton || OnEdge(*event)) return;
  const QPoint point = ClientPoint(*event);
  PaletteDoubleClick(point.x(), point.y());
}

void InvalidateClient(const QRect& clientRect) {
  if (paletteWindow != nullptr) paletteWindow->update(clientRect.translated(paletteWindow->contentsRect().topLeft()));
}

// Draws a cell's shape into the back buffer with a 2-pixel outline. The
// outline is centred on the shape's edge, so it covers one pixel on either
// side of the left and top edges and the last two pixels inside the right
// and bottom ones; neighbouring cells overlap by one pixel and their
// outlines merge.
void DrawCellShape(const CellRect& rect, bool asEllipse, const QColor& outline, const QBrush& fill) {
  QPainter painter(&paletteWindow->backBuffer);
  painter.setPen(QPen(outline, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.setBrush(fill);
  const QRectF shape(rect.left, rect.top, rect.right - 1 - rect.left, rect.bottom - 1 - rect.top);
  if (asEllipse)
    painter.drawEllipse(shape);
  else
    painter.drawRect(shape);
}

// A kept image has no palette of its own: its slot would still hold the
// colours of whatever tab was there before, perhaps of another document.
bool AnyTabOpen(const ImageTab* tab) { return tab != nullptr && tabSet.tabCount > 0 && !IsKeptTab(*tab); }

QPushButton* MakeButton(QWidget* window, void (*sendCommand)(unsigned), int id, const char* text, int left) {
  auto* button = new QPushButton(UiText(text), window);
  button->setObjectName(QString::number(id));
  button->setFont(MakePixelFont("ＭＳ Ｐゴシック", 12, true));
  button->setGeometry(EDGE_WIDTH + left, EDGE_WIDTH + BUTTON_TOP, BUTTON_WIDTH, BUTTON_HEIGHT);
  // A button click reaches the main window's dispatcher as its command.
  QObject::connect(button, &QPushButton::clicked, window,
                   [sendCommand, id] { sendCommand(static_cast<unsigned>(id)); });
  return button;
}

}  // namespace

QWidget* CreatePaletteWindow(QWidget* tabStrip, void (*sendCommand)(unsigned command)) {
  auto* window = new PaletteWindow(tabStrip);
  QList<QWidget*> buttons = {
      MakeButton(window, sendCommand, PALETTE_ORGANIZE, QT_TRANSLATE_NOOP("Quillet2", "整理"), 4),
      MakeButton(window, sendCommand, PALETTE_REDUCE, QT_TRANSLATE_NOOP("Quillet2", "減色..."), 50),
      MakeButton(window, sendCommand, PALETTE_BATCH, QT_TRANSLATE_NOOP("Quillet2", "一括..."), 96)};
  // A translated text may be longer than the Japanese one the buttons are
  // sized for; the Japanese layout stays exactly as it is.
  if (CurrentLanguage() != Language::Japanese) WidenRowToFit(buttons);
  window->setEnabled(false);
  return window;
}

void EnablePaletteButtons(bool enabled) {
  if (paletteWindow == nullptr) return;
  for (int id : {PALETTE_ORGANIZE, PALETTE_REDUCE, PALETTE_BATCH})
    if (auto* button = paletteWindow->findChild<QPushButton*>(QString::number(id))) button->setEnabled(enabled);
}

void DrawPaletteCell(const CellRect& rect, ColorRef colour, bool asEllipse) {
  if (paletteWindow == nullptr) return;
  DrawCellShape(rect, asEllipse, Qt::black, ToQColor(colour));
}

void RedrawPalette(ImageTab* tab) {
  if (paletteWindow == nullptr) return;
  paletteWindow->backBuffer.fill(ToQColor(GetSystemColor(COLOR_BTNFACE)));
  if (AnyTabOpen(tab)) {
    const bool asEllipse = tab->penMask != 0;
    const int count = PaletteSize(*tab);
    for (int i = 0; i < count; ++i) DrawPaletteCell(PaletteCellRect(i, tab->colorCode), tab->palette[i], asEllipse);
    DrawPaletteMarker(tab);
  }
  paletteWindow->update();
}

void DrawPaletteMarker(ImageTab* tab) {
  if (paletteWindow == nullptr || !AnyTabOpen(tab)) return;
  const bool asEllipse = tab->penMask != 0;
  const CellRect cell = PaletteCellRect(tab->penIndex, tab->colorCode);
  CellRect& marker = tab->paletteMarker;
  if (marker.left != 0) {
    // The black outline is the cell's ordinary one; the 2-pixel pen reaches
    // one pixel left of and above the rectangle, so that pixel is repainted
    // too.
    DrawCellShape(marker, asEllipse, Qt::black, Qt::NoBrush);
    --marker.left;
    --marker.top;
    InvalidateClient(ToQRect(marker));
  }
  DrawCellShape(cell, asEllipse, Qt::white, Qt::NoBrush);
  marker = cell;
  InvalidateClient(ToQRect({cell.left - 1, cell.top - 1, cell.right, cell.bottom}));
}

void SetPaletteColor(ImageTab& tab, int index, ColorRef colour) {
  if (index < 0 || index >= PaletteSize(tab)) return;
  tab.palette[index] = colour;
  Announce(&tab, CHANGE_PALETTE | CHANGE_PIXELS | CHANGE_RECORD_UNDO);
}

namespace {

void ChooseSwatch(ImageTab& tab, int index) {
  // A pen made invisible by picking a transparent pixel would paint
  // nothing in the colour just chosen; such a pen becomes opaque.
  const std::uint32_t alpha = tab.penColour >> 24;
  tab.penColour = ArgbOfColor(tab.palette[index], static_cast<std::uint8_t>(alpha == 0 ? 0xFF : alpha));
  Announce(&tab, CHANGE_PEN);
}

}  // namespace

void PaletteButtonDown(int x, int y) {
  // The background box would keep turning the wheel and the arrow keys
  // into background changes; a click on the palette ends that.
  TakeFocusFromBackgroundBox();
  ImageTab* tab = CurrentTab();
  if (tab == nullptr || static_cast<std::uint16_t>(y) > PALETTE_CELL_AREA_BOTTOM) return;
  const int index = PaletteIndexAt(x, y, tab->colorCode);
  // On a true-colour tab the swatch gives the pen its colour, also when the
  // marker already stands on it: a picked colour may have replaced it.
  if (IsTrueColour(*tab)) ChooseSwatch(*tab, index);
  if (index == tab->penIndex) return;
  tab->penIndex = static_cast<std::uint8_t>(index);
  DrawPaletteMarker(tab);
}

void PaletteDoubleClick(int x, int y) {
  ImageTab* tab = CurrentTab();
  if (tab == nullptr || static_cast<std::uint16_t>(y) > PALETTE_CELL_AREA_BOTTOM) return;
  const int index = PaletteIndexAt(x, y, tab->colorCode);
  if (IsTrueColour(*tab)) {
    // The swatch is edited and becomes the pen, with the opacity the dialog
    // set.
    int opacity = static_cast<int>(tab->penColour >> 24);
    const int colour = RunColorDialog(index, &opacity);
    if (colour != -1) {
      SetPaletteColor(*tab, index, static_cast<ColorRef>(colour));
      tab->penColour = ArgbOfColor(static_cast<ColorRef>(colour), static_cast<std::uint8_t>(opacity));
      tab->penIndex = static_cast<std::uint8_t>(index);
      DrawPaletteMarker(tab);
      Announce(tab, CHANGE_PEN);
    }
    Announce(tab, CHANGE_PIXELS);
    return;
  }
  const int colour = RunColorDialog(index);
  if (colour != -1) SetPaletteColor(*tab, index, static_cast<ColorRef>(colour));
  // The dialog showed its colours live and put the old one back on cancel;
  // either way the views must show the palette as it now is.
  Announce(tab, CHANGE_PIXELS);
}

const QImage* PaletteBackBuffer() { return paletteWindow != nullptr ? &paletteWindow->backBuffer : nullptr; }

QPoint PaletteClientOrigin() { return paletteWindow != nullptr ? paletteWindow->contentsRect().topLeft() : QPoint(); }
