#include <QDialog>
#include <QScrollBar>

#include "tests/ui/canvas_fixture.h"

namespace {

constexpr ColorRef RED = 0x0000FF;
constexpr int RED_INDEX = 9;
constexpr int BLACK_INDEX = 0;
constexpr int WHITE_INDEX = 15;

using PreviewTest = CanvasTest;

ColorRef CanvasPixel(int x, int y) { return ColorOfPixel(mainPreview.canvas->pixel(x, y)); }

void SendPreviewMouse(PreviewControl& control, QEvent::Type type, QPoint client, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QPointF local = QPointF(client + control.clientRect().topLeft());
  QMouseEvent event(type, local, control.mapToGlobal(local), button, buttons, modifiers);
  QCoreApplication::sendEvent(&control, &event);
}

struct Forwarded {
  PreviewControl* source;
  PreviewInput input;
};

}  // namespace

TEST_F(PreviewTest, MainPreviewCentresTheImage) {
  ImageTab& tab = OpenTab(32, 32);
  ASSERT_NE(mainPreview.canvas, nullptr);
  // The control is 188 x 96 with a two-pixel sunken edge.
  ASSERT_EQ(mainPreview.canvas->size(), QSize(184, 92));
  CellAt(tab, 0, 0) = RED_INDEX;
  CellAt(tab, 31, 31) = RED_INDEX;
  RepaintPreview(&tab);
  EXPECT_EQ(mainPreview.originX, 76);
  EXPECT_EQ(mainPreview.originY, 30);
  EXPECT_EQ(CanvasPixel(76, 30), RED);
  EXPECT_EQ(CanvasPixel(107, 61), RED);
  EXPECT_EQ(CanvasPixel(75, 30), GetSystemColor(COLOR_WINDOW));
  EXPECT_EQ(CanvasPixel(108, 61), GetSystemColor(COLOR_WINDOW));
  EXPECT_EQ(CanvasPixel(0, 0), GetSystemColor(COLOR_WINDOW));
}

TEST_F(PreviewTest, OddSizesRoundTheOriginTowardZero) {
  OpenTab(5, 3);
  // 184 / 2 - 5 / 2 = 90, 92 / 2 - 3 / 2 = 45.
  EXPECT_EQ(mainPreview.originX, 90);
  EXPECT_EQ(mainPreview.originY, 45);
}

TEST_F(PreviewTest, TransparentBlackShowsTheBackgroundAndWhiteItsInverse) {
  ImageTab& tab = OpenTab(32, 32);
  CellAt(tab, 0, 0) = 0x100 | BLACK_INDEX;
  CellAt(tab, 1, 0) = 0x100 | WHITE_INDEX;
  CellAt(tab, 2, 0) = 0x100 | RED_INDEX;
  RepaintPreview(&tab);
  const ColorRef window = GetSystemColor(COLOR_WINDOW);
  EXPECT_EQ(CanvasPixel(76, 30), window);
  EXPECT_EQ(CanvasPixel(77, 30), window ^ 0xFFFFFF);
  EXPECT_EQ(CanvasPixel(78, 30), window ^ RED);

  OnBackgroundChosen(2);
  const ColorRef desktop = GetSystemColor(COLOR_DESKTOP);
  EXPECT_EQ(CanvasPixel(0, 0), desktop);
  EXPECT_EQ(CanvasPixel(76, 30), desktop);
  EXPECT_EQ(CanvasPixel(77, 30), desktop ^ 0xFFFFFF);
  EXPECT_EQ(CanvasPixel(78, 30), desktop ^ RED);
}

TEST_F(PreviewTest, PaintPreviewPixelSetsOnePixelAndGivesItsRectangle) {
  ImageTab& tab = OpenTab(32, 32);
  const QImage before = mainPreview.canvas->copy();
  PixelRect rect;
  PaintPreviewPixel(4, 7, RED_INDEX, tab, &rect);
  EXPECT_EQ(rect, (PixelRect{80, 37, 81, 38}));
  EXPECT_EQ(CanvasPixel(80, 37), RED);
  int changed = 0;
  for (int y = 0; y < 92; ++y)
    for (int x = 0; x < 184; ++x) changed += before.pixel(x, y) != mainPreview.canvas->pixel(x, y);
  EXPECT_EQ(changed, 1);
  // The stored cell is not touched.
  EXPECT_EQ(CellAt(tab, 4, 7), FRESH_CELL);
}

TEST_F(PreviewTest, WithoutTabsThePreviewIsBlank) {
  ImageTab& tab = OpenTab(32, 32);
  CellAt(tab, 3, 3) = RED_INDEX;
  RepaintPreview(&tab);
  DeleteAllTabs();
  OnBackgroundChosen(2);  // no tab: nothing to change
  RepaintPreview(nullptr);
  for (int y = 0; y < 92; y += 7)
    for (int x = 0; x < 184; x += 7) ASSERT_EQ(CanvasPixel(x, y), GetSystemColor(COLOR_WINDOW));
}

TEST_F(PreviewTest, CanvasIsMadeOnceAndKeptAsItIs) {
  QDialog dialog;
  auto* control = new PreviewControl(&dialog);
  control->setGeometry(10, 10, 104, 54);
  EXPECT_FALSE(control->hasCanvas());
  QImage* canvas = GetPreviewCanvas(control);
  ASSERT_NE(canvas, nullptr);
  EXPECT_EQ(canvas->size(), QSize(100, 50));
  // It starts in the background colour.
  EXPECT_EQ(ColorOfPixel(canvas->pixel(0, 0)), gridLineColor ^ 0xFFFFFF);
  FillCanvasRect(*canvas, {10, 10, 20, 15}, RED);
  EXPECT_EQ(ColorOfPixel(canvas->pixel(10, 10)), RED);
  EXPECT_EQ(ColorOfPixel(canvas->pixel(19, 14)), RED);
  EXPECT_NE(ColorOfPixel(canvas->pixel(20, 14)), RED);
  EXPECT_EQ(GetPreviewCanvas(control), canvas);
  EXPECT_EQ(ColorOfPixel(canvas->pixel(19, 14)), RED);
  // Any other widget has no canvas.
  QWidget plain;
  EXPECT_EQ(GetPreviewCanvas(&plain), nullptr);
}

TEST_F(PreviewTest, ControlShowsItsCanvas) {
  QDialog dialog;
  auto* control = new PreviewControl(&dialog);
  control->setGeometry(0, 0, 44, 24);
  QImage* canvas = GetPreviewCanvas(control);
  FillCanvasRect(*canvas, {0, 0, 40, 20}, RED);
  const QImage shown = control->grab().toImage();
  EXPECT_EQ(ColorOfPixel(shown.pixel(2, 2)), RED);
  EXPECT_EQ(ColorOfPixel(shown.pixel(41, 21)), RED);
}

TEST_F(PreviewTest, InputReachesTheParentWithItsSourceFirst) {
  QDialog dialog;
  auto* first = new PreviewControl(&dialog);
  auto* second = new PreviewControl(&dialog);
  first->setGeometry(0, 0, 54, 54);
  second->setGeometry(60, 0, 54, 54);
  std::vector<Forwarded> received;
  for (PreviewControl* control : {first, second})
    QObject::connect(control, &PreviewControl::forwarded,
                     [&received](PreviewControl* source, const PreviewInput& input) {
                       received.push_back({source, input});
                     });

  SendPreviewMouse(*second, QEvent::MouseButtonPress, QPoint(7, 9), Qt::LeftButton, Qt::LeftButton,
                   Qt::ShiftModifier);
  SendPreviewMouse(*first, QEvent::MouseButtonPress, QPoint(3, 4), Qt::RightButton, Qt::RightButton);
  SendPreviewMouse(*first, QEvent::MouseMove, QPoint(11, 12), Qt::NoButton, Qt::NoButton);
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].source, second);
  EXPECT_EQ(received[0].input.message, PVN_BUTTONDOWN);
  EXPECT_EQ(received[0].input.x, 7);
  EXPECT_EQ(received[0].input.y, 9);
  EXPECT_EQ(received[0].input.button, Qt::LeftButton);
  EXPECT_TRUE(received[0].input.modifiers & Qt::ShiftModifier);
  EXPECT_EQ(received[1].source, first);
  EXPECT_EQ(received[1].input.message, PVN_BUTTONDOWN);
  EXPECT_EQ(received[1].input.button, Qt::RightButton);
  EXPECT_EQ(received[1].input.x, 3);
  EXPECT_EQ(received[2].input.message, PVN_MOUSEMOVE);
  EXPECT_EQ(received[2].input.x, 11);
  EXPECT_EQ(received[2].input.y, 12);
}

TEST_F(PreviewTest, ScrollBarsAreForwardedAndLieOutsideTheClient) {
  QDialog dialog;
  auto* control = new PreviewControl(&dialog, true);
  control->setGeometry(0, 0, 120, 80);
  EXPECT_EQ(control->clientRect().size(), QSize(100, 60));
  EXPECT_EQ(GetPreviewCanvas(control)->size(), QSize(100, 60));
  control->verticalBar()->setRange(0, 10);
  control->horizontalBar()->setRange(0, 10);
  std::vector<Forwarded> received;
  QObject::connect(control, &PreviewControl::forwarded,
                   [&received](PreviewControl* source, const PreviewInput& input) {
                     received.push_back({source, input});
                   });
  control->verticalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  control->horizontalBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].source, control);
  EXPECT_EQ(received[0].input.message, PVN_VSCROLL);
  EXPECT_EQ(received[0].input.scrollCode, SCROLL_LINE_DOWN);
  EXPECT_EQ(received[1].input.message, PVN_HSCROLL);
  EXPECT_EQ(received[1].input.scrollCode, SCROLL_PAGE_UP);
}
