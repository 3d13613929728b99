#pragma once
// The preview control ("PreviewWndClass"): a small window that owns an
// off-screen canvas, shows it, and passes its mouse and scroll input on to
// the window that placed it, naming itself as the source. The main window
// shows the current tab at real size in one; dialogs place their own.

#include <QFrame>
#include <QImage>

#include "canvas/raster.h"
#include "model/image_tab.h"

class QScrollBar;

// Message numbers of the control's input as its parent receives it.
enum PreviewMessage : int {
  PVM_GETCANVAS = 1025,
  PVN_VSCROLL = 1027,
  PVN_HSCROLL = 1028,
  PVN_BUTTONDOWN = 1029,
  PVN_SENDER = 1030,
  PVN_MOUSEMOVE = 1031,
};

// Scroll codes of PVN_VSCROLL and PVN_HSCROLL.
enum PreviewScrollCode : int {
  SCROLL_LINE_UP = 0,
  SCROLL_LINE_DOWN = 1,
  SCROLL_PAGE_UP = 2,
  SCROLL_PAGE_DOWN = 3,
  SCROLL_THUMB_POSITION = 4,
  SCROLL_THUMB_TRACK = 5,
  SCROLL_TOP = 6,
  SCROLL_BOTTOM = 7,
  SCROLL_END = 8,
};

struct PreviewInput {
  // PVN_VSCROLL, PVN_HSCROLL, PVN_BUTTONDOWN or PVN_MOUSEMOVE.
  int message = 0;
  // Scroll messages: the scroll code and the bar's tracking position.
  int scrollCode = 0;
  int scrollPosition = 0;
  // Button and move messages: the client point, the button that went down
  // (none for a move), the buttons held and the modifier keys.
  int x = 0;
  int y = 0;
  Qt::MouseButton button = Qt::NoButton;
  Qt::MouseButtons buttons;
  Qt::KeyboardModifiers modifiers;
};

class PreviewControl : public QFrame {
  Q_OBJECT
 public:
  // The control has a sunken client edge; scroll bars, when asked for, lie
  // inside it at the right and bottom and are not part of the client area.
  explicit PreviewControl(QWidget* parent, bool scrollBars = false);
  ~PreviewControl() override;

  // The canvas, made on the first call with the client's size and filled with
  // the background colour; later calls give back the same canvas untouched.
  QImage* canvas();
  bool hasCanvas() const { return !canvas_.isNull(); }
  // The client area, in the control's own coordinates.
  QRect clientRect() const;
  QScrollBar* verticalBar() const { return vertical_; }
  QScrollBar* horizontalBar() const { return horizontal_; }
  // A picture shown in place of the canvas while it is set (the main
  // preview's animation); the canvas itself stays as the views drew it.
  void setOverlay(const QImage& overlay);
  void clearOverlay();
  bool hasOverlay() const { return !overlay_.isNull(); }

 signals:
  // Every forwarded input carries its source, so a parent with several
  // previews knows which one it came from.
  void forwarded(PreviewControl* source, const PreviewInput& input);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void ForwardScroll(int message, int code, int position);
  void ForwardMouse(int message, const QMouseEvent* event);

  QImage canvas_;
  QImage overlay_;
  QScrollBar* vertical_ = nullptr;
  QScrollBar* horizontal_ = nullptr;
};

// The canvas of a preview control (made on first request), or nullptr when
// the widget is no preview control.
QImage* GetPreviewCanvas(QWidget* control);

// Fills the rectangle (right and bottom exclusive), its border included, with
// one colour.
void FillCanvasRect(QImage& canvas, const PixelRect& rect, ColorRef color);

// The colour a cell shows at real size on a background: its palette colour,
// or for a transparent cell the palette colour XOR the background, so a
// black entry shows the background and a white one its inverse. A
// true-colour cell shows its colour over the background by its alpha.
ColorRef PreviewColor(const ImageTab& tab, PixelCell value, ColorRef background);

struct MainPreviewState {
  PreviewControl* control = nullptr;
  QImage* canvas = nullptr;
  // Where the last full redraw put the image's top-left pixel; the clipboard
  // copy finds the image in the canvas there.
  int originX = 0;
  int originY = 0;
};

extern MainPreviewState mainPreview;

// Creates the main window's preview at its place on the tab strip and takes
// its canvas.
QWidget* CreatePreview(QWidget* tabStrip);

// Redraws the whole main preview for the tab, or blanks it for nullptr.
void RepaintPreview(ImageTab* tab);
// Draws the tab at real size, centred in the picture, as the main preview
// shows it; gives the image's top-left pixel.
void DrawRealSize(QImage& picture, const ImageTab* tab, int& originX, int& originY);

// Redraws one pixel of the main preview with the given value and gives its
// rectangle; it invalidates nothing.
void PaintPreviewPixel(int x, int y, PixelCell value, const ImageTab& tab, PixelRect* rect = nullptr);

void InvalidatePreviewRect(const PixelRect& rect);
void InvalidatePreview();
