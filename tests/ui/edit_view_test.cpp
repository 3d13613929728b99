#include <QAbstractButton>
#include <QPaintEvent>

#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/cell_geometry.h"
#include "tests/ui/canvas_fixture.h"

namespace {

constexpr ColorRef RED = 0x0000FF;
constexpr ColorRef GREEN = 0x00FF00;
constexpr ColorRef WHITE = 0xFFFFFF;
constexpr ColorRef BLACK = 0x000000;
constexpr int RED_INDEX = 9;
constexpr int GREEN_INDEX = 10;

using EditViewTest = CanvasTest;

std::vector<QPoint> DifferingPixels(const QImage& a, const QImage& b) {
  std::vector<QPoint> points;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) points.emplace_back(x, y);
  return points;
}

bool OnRectEdge(const PixelRect& r, int x, int y) {
  const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  return inside && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

// Records the rectangles the edit view is asked to paint.
class PaintSpy : public QObject {
 public:
  std::vector<QRect> rects;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
};

}  // namespace

TEST_F(EditViewTest, ThirtyTwoSquareImageInSixHundredByFourHundred) {
  ImageTab& tab = OpenTab(32, 32, 600, 400);
  ASSERT_EQ(editView.backBuffer.size(), QSize(600, 400));
  EXPECT_EQ(tab.cellSize, 11);
  CellAt(tab, 0, 0) = RED_INDEX;
  CellAt(tab, 1, 0) = GREEN_INDEX;
  RepaintEditView(&tab);
  // On the white window background the grid lines are black.
  EXPECT_EQ(gridLineColor, BLACK);
  EXPECT_EQ(BackPixel(16, 16), BLACK);
  EXPECT_EQ(BackPixel(17, 17), RED);
  EXPECT_EQ(BackPixel(26, 26), RED);
  // Cell (1, 0) starts on the line that ends cell (0, 0).
  EXPECT_EQ(BackPixel(27, 20), BLACK);
  EXPECT_EQ(BackPixel(28, 20), GREEN);
  EXPECT_EQ(BackPixel(37, 26), GREEN);
  EXPECT_EQ(BackPixel(38, 20), BLACK);
  EXPECT_EQ(BackPixel(20, 27), BLACK);
  // Outside the image: the background, and the selection frame of the whole
  // image two pixels thick just outside the outer grid lines.
  EXPECT_EQ(BackPixel(5, 5), WHITE);
  EXPECT_EQ(BackPixel(599, 399), WHITE);
  EXPECT_EQ(BackPixel(13, 100), WHITE);
  EXPECT_EQ(BackPixel(14, 100), BLACK);
  EXPECT_EQ(BackPixel(15, 100), BLACK);
  EXPECT_EQ(BackPixel(369, 100), BLACK);
  EXPECT_EQ(BackPixel(370, 100), BLACK);
  EXPECT_EQ(BackPixel(371, 100), WHITE);
}

TEST_F(EditViewTest, BackBufferFollowsTheLayout) {
  ImageTab& tab = OpenTab(32, 32, 600, 400);
  ResizeEditClient(300, 200);
  EXPECT_EQ(editView.backBuffer.size(), QSize(300, 200));
  EXPECT_EQ(tab.cellSize, 5);
  // A view too small for one pixel per cell keeps the size at 1.
  ResizeEditClient(40, 30);
  EXPECT_EQ(tab.cellSize, 1);
  int column = -1;
  int row = -1;
  EXPECT_TRUE(CellFromPoint(20, 20, tab, column, row));
  EXPECT_EQ(column, 4);
}

TEST_F(EditViewTest, TinyImageInAHugeViewKeepsCellSizeInEightBits) {
  ImageTab& tab = OpenTab(1, 1, 1900, 1060);
  EXPECT_EQ(tab.cellSize, 255);
  CellAt(tab, 0, 0) = RED_INDEX;
  RepaintEditView(&tab);
  EXPECT_EQ(BackPixel(16 + 254, 16 + 254), RED);
  EXPECT_EQ(BackPixel(16 + 255, 16 + 100), BLACK);
  EXPECT_EQ(CellValueAtPoint(16 + 254, 16 + 254, &tab), RED_INDEX);
  EXPECT_EQ(CellValueAtPoint(16 + 255, 16, &tab), NO_CELL);
}

TEST_F(EditViewTest, WithoutGridCellsMergeIntoOneSurface) {
  ImageTab& tab = OpenTab(32, 32, 600, 400);
  CellAt(tab, 0, 0) = RED_INDEX;
  CellAt(tab, 1, 0) = GREEN_INDEX;
  SwitchGrid(false);
  EXPECT_EQ(grid, 0);
  // Each cell covers exactly 11 pixels; no line separates them.
  EXPECT_EQ(BackPixel(16, 16), RED);
  EXPECT_EQ(BackPixel(26, 26), RED);
  EXPECT_EQ(BackPixel(27, 16), GREEN);
  EXPECT_EQ(BackPixel(37, 26), GREEN);
  EXPECT_EQ(BackPixel(20, 27), WHITE);

  // The grid button's check state switches the lines back on.
  SwitchGrid(true);
  EXPECT_EQ(grid, 1);
  EXPECT_EQ(BackPixel(27, 16), BLACK);
}

TEST_F(EditViewTest, PaintCellRepaintsOnlyItsSquare) {
  ImageTab& tab = OpenTab(32, 32, 600, 400);
  const QImage before = editView.backBuffer.copy();
  PixelRect square;
  PaintCell(3, 4, GREEN_INDEX, tab, &square);
  EXPECT_EQ(square, CellSquare(3, 4, 11));
  // The value painted need not be the stored one.
  EXPECT_EQ(CellAt(tab, 3, 4), FRESH_CELL);
  for (const QPoint& p : DifferingPixels(before, editView.backBuffer)) {
    EXPECT_GE(p.x(), square.left);
    EXPECT_LT(p.x(), square.right);
    EXPECT_GE(p.y(), square.top);
    EXPECT_LT(p.y(), square.bottom);
  }
  EXPECT_EQ(BackPixel(square.left + 5, square.top + 5), GREEN);
}

TEST_F(EditViewTest, TransparentCellShowsBackgroundAndDot) {
  ImageTab& tab = OpenTab(32, 32, 600, 400);
  CellAt(tab, 2, 2) = 0x100 | RED_INDEX;
  CellAt(tab, 3, 2) = 0x100;
  RepaintEditView(&tab);
  // Cell (2, 2) covers 38..49, a masked red cell: inverted. Its mark lies
  // in 40..47, the upper-left half red, the lower-right half the screen
  // XOR red. The masked black cell (3, 2) is the background alone.
  EXPECT_EQ(BackPixel(38, 44), BLACK);
  EXPECT_EQ(BackPixel(39, 39), WHITE);
  EXPECT_EQ(BackPixel(41, 41), RED);
  EXPECT_EQ(BackPixel(47, 47), WHITE ^ RED);
  EXPECT_EQ(BackPixel(48, 44), WHITE);
  for (int x = 50; x < 60; ++x)
    for (int y = 39; y < 49; ++y) ASSERT_EQ(BackPixel(x, y), WHITE) << x << "," << y;

  SwitchGrid(false);
  EXPECT_EQ(BackPixel(38, 44), WHITE);
  EXPECT_EQ(BackPixel(38, 38), WHITE);
  EXPECT_EQ(BackPixel(41, 41), RED);
  EXPECT_EQ(BackPixel(46, 46), WHITE ^ RED);

  // Another background: the cell shows it, and the grid lines turn to its
  // inverse so they stay visible.
  SwitchGrid(true);
  OnBackgroundChosen(2);
  const ColorRef desktop = GetSystemColor(COLOR_DESKTOP);
  EXPECT_EQ(tab.backgroundIndex, 2);
  EXPECT_EQ(gridLineColor, desktop ^ 0xFFFFFF);
  EXPECT_EQ(BackPixel(39, 39), desktop);
  EXPECT_EQ(BackPixel(38, 44), desktop ^ 0xFFFFFF);
  EXPECT_EQ(BackPixel(5, 5), desktop);
  EXPECT_EQ(BackPixel(41, 41), RED);
  EXPECT_EQ(BackPixel(47, 47), desktop ^ RED);
}

TEST_F(EditViewTest, SelectionFrameInvertsTwoRectanglesAndTwiceRestores) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  ASSERT_EQ(tab.cellSize, 10);
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) CellAt(tab, x, y) = static_cast<PixelCell>((x + y) % 16 | (x % 3 == 0 ? 0x100 : 0));
  tab.selection = CellRect{2, 3, 5, 4};
  RepaintEditView(&tab);
  const PixelRect inner{35, 45, 78, 68};
  EXPECT_EQ(editView.lastSelectionFrame, inner);
  const QImage withFrame = editView.backBuffer.copy();

  DrawSelectionFrame(tab, true);
  const QImage withoutFrame = editView.backBuffer.copy();
  const PixelRect outer{34, 44, 79, 69};
  int changed = 0;
  for (const QPoint& p : DifferingPixels(withFrame, withoutFrame)) {
    ++changed;
    EXPECT_TRUE(OnRectEdge(inner, p.x(), p.y()) || OnRectEdge(outer, p.x(), p.y())) << p.x() << "," << p.y();
    EXPECT_EQ(withFrame.pixel(p) ^ withoutFrame.pixel(p), 0x00FFFFFFu);
  }
  // Two outlines: 2 * (43 + 23) - 4 and 2 * (45 + 25) - 4 pixels.
  EXPECT_EQ(changed, 128 + 136);

  DrawSelectionFrame(tab, true);
  EXPECT_TRUE(DifferingPixels(withFrame, editView.backBuffer).empty());
}

TEST_F(EditViewTest, MovedSelectionFrameErasesTheOldOne) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  tab.selection = CellRect{2, 3, 5, 4};
  RepaintEditView(&tab);
  tab.selection = CellRect{0, 1, 9, 12};
  DrawSelectionFrame(tab, false);
  const QImage moved = editView.backBuffer.copy();
  RepaintEditView(&tab);
  EXPECT_TRUE(DifferingPixels(moved, editView.backBuffer).empty());
}

TEST_F(EditViewTest, ToolCellIsOnePixelSmallerWithoutGrid) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  tab.penIndex = RED_INDEX;
  tab.penMask = 0;
  const ColorRef outline = RED ^ 0xFFFFFF;
  PaintToolCell(TOOL_ON_BACK_BUFFER, 2, 1, tab);
  // With grid lines: 37..46 across, 27..36 down, a two-pixel outline.
  EXPECT_EQ(BackPixel(36, 30), BLACK);
  EXPECT_EQ(BackPixel(37, 30), outline);
  EXPECT_EQ(BackPixel(38, 30), outline);
  EXPECT_EQ(BackPixel(39, 30), RED);
  EXPECT_EQ(BackPixel(44, 30), RED);
  EXPECT_EQ(BackPixel(46, 30), outline);
  EXPECT_EQ(BackPixel(40, 36), outline);
  EXPECT_NE(BackPixel(47, 30), outline);

  SwitchGrid(false);
  PaintToolCell(TOOL_ON_BACK_BUFFER, 2, 1, tab);
  EXPECT_EQ(BackPixel(37, 30), outline);
  EXPECT_EQ(BackPixel(45, 30), outline);
  EXPECT_EQ(BackPixel(43, 30), RED);
  EXPECT_NE(BackPixel(46, 30), outline);
  EXPECT_NE(BackPixel(40, 36), outline);
  EXPECT_EQ(BackPixel(40, 35), outline);
}

TEST_F(EditViewTest, TransparentToolCellShowsBackgroundAndDot) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  tab.penIndex = RED_INDEX;
  tab.penMask = 1;
  PaintToolCell(TOOL_ON_BACK_BUFFER, 2, 1, tab);
  EXPECT_EQ(BackPixel(37, 27), RED ^ 0xFFFFFF);
  EXPECT_EQ(BackPixel(39, 29), WHITE);
  EXPECT_EQ(BackPixel(41, 31), RED);
}

TEST_F(EditViewTest, ToolCellsOnTheWindowLeaveTheBackBufferAlone) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  tab.penIndex = RED_INDEX;
  const QImage before = editView.backBuffer.copy();
  PaintToolCell(TOOL_ON_WINDOW, 4, 4, tab);
  EXPECT_TRUE(DifferingPixels(before, editView.backBuffer).empty());
  const QImage window = EditWindowPicture();
  EXPECT_EQ(ColorOfPixel(window.pixel(60, 60)), RED);
  // Showing the back buffer again takes the feedback away.
  InvalidateEditView();
  EXPECT_TRUE(DifferingPixels(before, EditWindowPicture()).empty());
  // A view laid out larger gets feedback where the old size did not reach.
  ResizeEditClient(300, 300);
  PaintToolCell(TOOL_ON_WINDOW, 15, 15, tab);
  const QImage larger = EditWindowPicture();
  int beyond = 0;
  for (int y = 184; y < larger.height(); ++y)
    for (int x = 184; x < larger.width(); ++x) beyond += ColorOfPixel(larger.pixel(x, y)) == RED && BackPixel(x, y) != RED;
  EXPECT_GT(beyond, 0);
}

TEST_F(EditViewTest, WithoutTabsTheViewShowsTheWindowColour) {
  OpenTab(8, 8, 200, 150);
  DeleteAllTabs();
  RepaintEditView(nullptr);
  // What the window shows and what a picture of it holds; the buffer itself
  // is left unpainted.
  const QImage shown = editView.window->grab().toImage();
  const QPoint origin = static_cast<QFrame*>(editView.window)->contentsRect().topLeft();
  const QImage picture = EditWindowPicture();
  for (const QPoint p : {QPoint(0, 0), QPoint(15, 15), QPoint(20, 20), QPoint(199, 149)}) {
    EXPECT_EQ(ColorOfPixel(shown.pixel(origin + p)), GetSystemColor(COLOR_WINDOW));
    EXPECT_EQ(ColorOfPixel(picture.pixel(p)), GetSystemColor(COLOR_WINDOW));
  }
}

TEST_F(EditViewTest, PaintingCopiesTheBackBuffer) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  CellAt(tab, 5, 5) = GREEN_INDEX;
  RepaintEditView(&tab);
  const QImage shown = editView.window->grab().toImage();
  auto* frame = static_cast<QFrame*>(editView.window);
  const QPoint origin = frame->contentsRect().topLeft();
  EXPECT_EQ(ColorOfPixel(shown.pixel(origin + QPoint(70, 70))), GREEN);
  EXPECT_EQ(shown.pixel(origin + QPoint(3, 100)), editView.backBuffer.pixel(3, 100));
  EXPECT_EQ(shown.pixel(origin + QPoint(16, 16)), editView.backBuffer.pixel(16, 16));
}

TEST_F(EditViewTest, PenStrokeRepaintsOnlyTheCellsItTouches) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  tab.penMode = PEN_NORMAL;
  tab.penIndex = RED_INDEX;
  mainWindows.main->show();
  QCoreApplication::processEvents();
  PaintSpy spy;
  editView.window->installEventFilter(&spy);
  LeftPress(CellPoint(tab, 3, 3));
  QCoreApplication::processEvents();
  LeftDrag(CellPoint(tab, 4, 3));
  QCoreApplication::processEvents();
  editView.window->removeEventFilter(&spy);
  LeftRelease(CellPoint(tab, 4, 3));
  ASSERT_FALSE(spy.rects.empty());
  auto* frame = static_cast<QFrame*>(editView.window);
  const QPoint origin = frame->contentsRect().topLeft();
  const PixelRect first = CellSquare(3, 3, 10);
  const PixelRect second = CellSquare(4, 3, 10);
  const QRect cells = QRect(first.left, first.top, second.right - first.left, first.bottom - first.top).translated(origin);
  for (const QRect& painted : spy.rects) EXPECT_TRUE(cells.contains(painted)) << painted.x() << "," << painted.y()
                                                                                << " " << painted.width() << "x"
                                                                                << painted.height();
  EXPECT_EQ(CellAt(tab, 3, 3), RED_INDEX);
  EXPECT_EQ(CellAt(tab, 4, 3), RED_INDEX);
}
