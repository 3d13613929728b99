// The edit view's zoom: steps with the wheel and the keys, the cell under
// the pointer kept, scrolling, every tool at a zoom where the image is
// larger than the view, and the status line.

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/menus.h"
#include "app/status_line.h"
#include "canvas/cell_geometry.h"
#include "canvas/zoom.h"
#include "tests/ui/clipboard_fixture.h"

namespace {

constexpr int WHEEL_NOTCH = 120;

class ZoomTest : public ClipboardTest {
 protected:
  void SetUp() override {
    ClipboardTest::SetUp();
    mainWindows.main->activateWindow();
    QApplication::processEvents();
  }

  // A 64 x 64 tab in a 600 x 400 view, fitted at 5 pixels per cell, with
  // every cell opaque in a colour of its own place.
  ImageTab& PatternTab() {
    ImageTab& tab = OpenTab(64, 64, 600, 400);
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 64; ++y) CellAt(tab, x, y) = static_cast<PixelCell>((x + 2 * y) % 16);
    ShowCurrentPosition();
    return tab;
  }

  static void Wheel(QPoint client, int turn, Qt::KeyboardModifiers modifiers) {
    auto* frame = static_cast<QFrame*>(editView.window);
    const QPointF local = QPointF(client + frame->contentsRect().topLeft());
    QWheelEvent event(local, frame->mapToGlobal(local), QPoint(), QPoint(0, turn), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(frame, &event);
  }

  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    mainWindows.editView->setFocus();
    QTest::keyClick(mainWindows.editView, key, modifiers);
  }

  // The cell under a client point of the view, or (-1, -1).
  static QPoint CellUnder(const ImageTab& tab, QPoint client) {
    int column = -1;
    int row = -1;
    if (!CellFromPoint(ImagePointX(client.x()), ImagePointY(client.y()), tab, column, row)) return {-1, -1};
    return {column, row};
  }

  // The client point in the middle of a cell as the view shows it now.
  static QPoint ShownCellPoint(const ImageTab& tab, int x, int y) {
    return CellPoint(tab, x, y) - QPoint(editView.scrollX, editView.scrollY);
  }

  // The client pixels beside the scroll bars.
  static QSize ViewSize() {
    auto* frame = static_cast<QFrame*>(editView.window);
    const auto* vertical = frame->findChild<QScrollBar*>(QStringLiteral("editVScroll"));
    const auto* horizontal = frame->findChild<QScrollBar*>(QStringLiteral("editHScroll"));
    const QRect client = frame->contentsRect();
    return {vertical->isVisible() ? vertical->x() - client.left() : client.width(),
            horizontal->isVisible() ? horizontal->y() - client.top() : client.height()};
  }

  // The view shows at the client point the colour of the cell under it
  // (the cells of these tests are opaque; grid lines are stepped over).
  static void ExpectShown(const ImageTab& tab, QPoint client) {
    const int s = tab.cellSize;
    if ((ImagePointX(client.x()) - EDIT_ORIGIN) % s == 0) client.rx() += 1;
    if ((ImagePointY(client.y()) - EDIT_ORIGIN) % s == 0) client.ry() += 1;
    const QPoint cell = CellUnder(tab, client);
    ASSERT_NE(cell, QPoint(-1, -1));
    EXPECT_EQ(BackPixel(client.x(), client.y()), tab.palette[CellAt(tab, cell.x(), cell.y())])
        << "cell " << cell.x() << "," << cell.y();
  }

  static std::string Label(const char* name) {
    auto* label = mainWindows.main->findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text().toStdString() : "<no label>";
  }
};

TEST_F(ZoomTest, WheelAndKeysStepThroughTheCellSizesAndBackToFit) {
  ImageTab& tab = PatternTab();
  ASSERT_EQ(tab.cellSize, 5);
  const QPoint middle(300, 200);
  std::vector<int> sizes;
  for (int i = 0; i < 9; ++i) {
    Wheel(middle, WHEEL_NOTCH, Qt::ControlModifier);
    sizes.push_back(tab.cellSize);
  }
  EXPECT_EQ(sizes, (std::vector<int>{6, 8, 12, 16, 24, 32, 48, 64, 64}));
  sizes.clear();
  for (int i = 0; i < 11; ++i) {
    Wheel(middle, -WHEEL_NOTCH, Qt::ControlModifier);
    sizes.push_back(tab.cellSize);
  }
  EXPECT_EQ(sizes, (std::vector<int>{48, 32, 24, 16, 12, 8, 6, 4, 3, 2, 2}));
  // Parts of a notch add up to one step.
  Wheel(middle, WHEEL_NOTCH / 2, Qt::ControlModifier);
  EXPECT_EQ(tab.cellSize, 2);
  Wheel(middle, WHEEL_NOTCH / 2, Qt::ControlModifier);
  EXPECT_EQ(tab.cellSize, 3);

  Key(Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(tab.zoom.cellSize, 0);
  EXPECT_EQ(tab.cellSize, 5);
  Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(tab.cellSize, 6);
  Key(Qt::Key_Plus, Qt::KeypadModifier);
  EXPECT_EQ(tab.cellSize, 8);
  Key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
  EXPECT_EQ(tab.cellSize, 12);
  Key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(tab.cellSize, 8);
  Key(Qt::Key_Minus, Qt::KeypadModifier);
  EXPECT_EQ(tab.cellSize, 6);
  Key(Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(tab.cellSize, 5);
  EXPECT_EQ(editView.scrollX, 0);
  EXPECT_EQ(editView.scrollY, 0);
  // The menu shows the keys.
  EXPECT_EQ(MenuAction(CMD_ZOOM_IN)->shortcut(), QKeySequence(QStringLiteral("Ctrl++")));
  EXPECT_EQ(MenuAction(CMD_ZOOM_FIT)->shortcut(), QKeySequence(QStringLiteral("Ctrl+0")));
}

TEST_F(ZoomTest, TheCellUnderThePointerOrTheViewsMiddleStaysThere) {
  ImageTab& tab = PatternTab();
  for (int i = 0; i < 4; ++i) Wheel({176, 176}, WHEEL_NOTCH, Qt::ControlModifier);
  ASSERT_EQ(tab.cellSize, 16);
  // Off the middle, so that a zoom around the middle would move it.
  const QPoint pointer(123, 301);
  const QPoint cell = CellUnder(tab, pointer);
  ASSERT_NE(cell, QPoint(-1, -1));
  for (int turn : {1, 1, 1, 1, -1, -1, -1, -1}) {
    Wheel(pointer, turn * WHEEL_NOTCH, Qt::ControlModifier);
    EXPECT_EQ(CellUnder(tab, pointer), cell) << "at " << int(tab.cellSize);
  }
  ASSERT_EQ(tab.cellSize, 16);

  const QPoint middle(ViewSize().width() / 2, ViewSize().height() / 2);
  const QPoint centre = CellUnder(tab, middle);
  Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(tab.cellSize, 24);
  EXPECT_EQ(CellUnder(tab, middle), centre);
  Key(Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(CellUnder(tab, middle), centre);
}

TEST_F(ZoomTest, TheWheelScrollsWithinTheImageAndTheBarsFollow) {
  ImageTab& tab = PatternTab();
  const QScrollBar* vertical = mainWindows.editView->findChild<QScrollBar*>(QStringLiteral("editVScroll"));
  const QScrollBar* horizontal = mainWindows.editView->findChild<QScrollBar*>(QStringLiteral("editHScroll"));
  ASSERT_TRUE(vertical != nullptr && horizontal != nullptr);
  // Fitted, nothing scrolls.
  EXPECT_FALSE(vertical->isVisible());
  Wheel({100, 100}, -WHEEL_NOTCH, Qt::NoModifier);
  EXPECT_EQ(editView.scrollY, 0);

  for (int i = 0; i < 6; ++i) Wheel({16, 16}, WHEEL_NOTCH, Qt::ControlModifier);
  ASSERT_EQ(tab.cellSize, 32);
  ASSERT_EQ(editView.scrollX, 0);
  ASSERT_EQ(editView.scrollY, 0);
  EXPECT_TRUE(vertical->isVisible());
  EXPECT_TRUE(horizontal->isVisible());
  // A notch towards the user scrolls three cells down; with Shift, right.
  Wheel({100, 100}, -WHEEL_NOTCH, Qt::NoModifier);
  EXPECT_EQ(editView.scrollY, 96);
  EXPECT_EQ(editView.scrollX, 0);
  Wheel({100, 100}, -WHEEL_NOTCH, Qt::ShiftModifier);
  EXPECT_EQ(editView.scrollX, 96);
  EXPECT_EQ(vertical->value(), 96);
  EXPECT_EQ(horizontal->value(), 96);
  // The view shows the scrolled cells: the first pixel of the view inside
  // cell (3, 3) has that cell's colour.
  EXPECT_EQ(CellUnder(tab, {4, 4}), QPoint(2, 2));
  EXPECT_EQ(BackPixel(16 + 3 * 32 - 96 + 2, 16 + 3 * 32 - 96 + 2), TestPaletteColor(9));
  // Up to the view's far corner, beside the bars.
  const QSize view = ViewSize();
  for (QPoint corner : {QPoint(view.width() - 1, 4), QPoint(4, view.height() - 1),
                        QPoint(view.width() - 1, view.height() - 1)})
    ExpectShown(tab, corner - QPoint(1, 1));

  // The scroll stops at the margin after the last cell.
  for (int i = 0; i < 40; ++i) Wheel({100, 100}, -WHEEL_NOTCH, Qt::NoModifier);
  const int viewHeight = ViewSize().height();
  EXPECT_EQ(editView.scrollY, ZoomedExtent(64, 32) - viewHeight);
  EXPECT_EQ(CellUnder(tab, {4, viewHeight - 9}), QPoint(2, 63));
  ExpectShown(tab, {4, viewHeight - 9});
  for (int i = 0; i < 40; ++i) Wheel({100, 100}, WHEEL_NOTCH, Qt::NoModifier);
  EXPECT_EQ(editView.scrollY, 0);

  // Dragging a bar scrolls as well.
  const_cast<QScrollBar*>(horizontal)->setValue(200);
  EXPECT_EQ(editView.scrollX, 200);
  EXPECT_EQ(tab.zoom.scrollX, 200);
}

TEST_F(ZoomTest, EachTabKeepsItsOwnZoomAndANewTabStartsFitted) {
  ImageTab& first = PatternTab();
  for (int i = 0; i < 5; ++i) Wheel({300, 200}, WHEEL_NOTCH, Qt::ControlModifier);
  Wheel({100, 100}, -WHEEL_NOTCH, Qt::NoModifier);
  const ViewZoom kept = first.zoom;
  ASSERT_EQ(kept.cellSize, 24);
  ImageTab& second = OpenTab(64, 64, 600, 400);
  EXPECT_EQ(second.zoom.cellSize, 0);
  EXPECT_EQ(second.cellSize, 5);
  EXPECT_EQ(editView.scrollY, 0);
  tabSet.currentPosition = 0;
  ShowCurrentPosition();
  EXPECT_EQ(first.cellSize, 24);
  EXPECT_EQ(editView.scrollX, kept.scrollX);
  EXPECT_EQ(editView.scrollY, kept.scrollY);
  // A tab made in the place of a deleted one starts fitted as well.
  const int slot = static_cast<int>(&first - tabSet.tabs);
  DeleteTab(slot);
  ImageTab& third = OpenTab(64, 64, 600, 400);
  ASSERT_EQ(&third, &first);
  EXPECT_EQ(third.zoom.cellSize, 0);
  EXPECT_EQ(third.cellSize, 5);
}

// The same mouse actions on cells, at fit and at 24 pixels per cell scrolled
// into the middle of the image, leave the same cells and selection.
struct ActionResult {
  std::vector<PixelCell> cells;
  CellRect selection;
};

class ZoomedActions : public ZoomTest {
 protected:
  ActionResult Run(bool zoomed) {
    ImageTab& tab = OpenTab(64, 64, 600, 400);
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 64; ++y) CellAt(tab, x, y) = static_cast<PixelCell>(x / 8 % 2 == 0 ? 3 : FRESH_CELL);
    ShowCurrentPosition();
    if (zoomed) {
      for (int i = 0; i < 5; ++i) Wheel(CellPoint(tab, 22, 19), WHEEL_NOTCH, Qt::ControlModifier);
      Wheel({100, 100}, WHEEL_NOTCH, Qt::ShiftModifier);
      Wheel({100, 100}, WHEEL_NOTCH, Qt::NoModifier);
      EXPECT_EQ(tab.cellSize, 24);
      EXPECT_GT(ZoomedExtent(64, 24), 600);
      EXPECT_GT(editView.scrollX, 0);
      EXPECT_GT(editView.scrollY, 0);
    }
    const auto at = [&tab](int x, int y) { return ShownCellPoint(tab, x, y); };
    // Every cell used must be on the view.
    EXPECT_EQ(CellUnder(tab, at(16, 12)), QPoint(16, 12));
    EXPECT_EQ(CellUnder(tab, at(29, 26)), QPoint(29, 26));

    tab.penIndex = 12;
    Key(Qt::Key_P, Qt::NoModifier);
    LeftPress(at(17, 13));
    for (int x = 18; x <= 22; ++x) LeftDrag(at(x, 13 + x % 2));
    LeftRelease(at(22, 14));

    tab.penIndex = 10;
    Key(Qt::Key_F, Qt::NoModifier);
    LeftPress(at(26, 20));
    LeftRelease(at(26, 20));

    tab.penIndex = 14;
    Key(Qt::Key_L, Qt::NoModifier);
    LeftPress(at(16, 25));
    LeftRelease(at(16, 25));
    Hover(at(28, 18));
    LeftPress(at(28, 18));
    LeftRelease(at(28, 18));
    RightPress(at(28, 18));
    RightRelease(at(28, 18));

    Key(Qt::Key_S, Qt::NoModifier);
    LeftPress(at(18, 16));
    LeftRelease(at(18, 16));
    Hover(at(23, 24));
    LeftPress(at(23, 24));
    LeftRelease(at(23, 24));

    PutOnClipboard(3, 2, [](int x, int y) { return TestPaletteColor(x + 4 * y + 1); });
    // The paste that stretches the picture over the selection.
    DispatchCommand(CMD_PASTE);
    return {Cells(tab), tab.selection};
  }
};

TEST_F(ZoomedActions, PenFillLineSelectionAndPasteMatchTheFittedView) {
  const ActionResult fitted = Run(false);
  const ActionResult zoomed = Run(true);
  const auto corners = [](const CellRect& r) { return std::vector<int>{r.left, r.top, r.right, r.bottom}; };
  EXPECT_EQ(corners(zoomed.selection), (std::vector<int>{18, 16, 23, 24}));
  EXPECT_EQ(corners(fitted.selection), corners(zoomed.selection));
  ASSERT_EQ(fitted.cells.size(), zoomed.cells.size());
  int differing = 0;
  for (std::size_t i = 0; i < fitted.cells.size(); ++i) differing += fitted.cells[i] != zoomed.cells[i] ? 1 : 0;
  EXPECT_EQ(differing, 0);
  // Each action left its mark: pen, fill, line and paste.
  const ImageTab& tab = *CurrentTab();
  EXPECT_EQ(CellAt(tab, 20, 13), 12);
  EXPECT_EQ(CellAt(tab, 25, 0), 10);
  EXPECT_EQ(CellAt(tab, 16, 25), 14);
  EXPECT_NE(CellAt(tab, 18, 16), 3);
}

TEST_F(ZoomTest, TheStatusLineNamesTheCellItsColourTheDragAndTheZoom) {
  ImageTab& tab = PatternTab();
  CellAt(tab, 3, 4) = 9;
  CellAt(tab, 5, 1) = 7 | CELL_MASK_BIT;
  ShowCurrentPosition();
  Hover(CellPoint(tab, 3, 4));
  EXPECT_EQ(Label("statusCell"), "セル (3, 4)  インデックス 9  色 #FF0000");
  // A masked cell of a colour shows the screen XOR it; of black, nothing.
  Hover(CellPoint(tab, 5, 1));
  EXPECT_EQ(Label("statusCell"), "セル (5, 1)  インデックス 7  反転: 画面 XOR #C0C0C0");
  CellAt(tab, 5, 1) = CELL_MASK_BIT;
  Hover(CellPoint(tab, 5, 2));
  Hover(CellPoint(tab, 5, 1));
  EXPECT_EQ(Label("statusCell"), "セル (5, 1)  インデックス 0  透明");
  EXPECT_EQ(Label("statusZoom"), "表示: ウィンドウに合わせる (5 ピクセル/セル)");
  Hover({8, 8});
  EXPECT_EQ(Label("statusCell"), "");
  EXPECT_EQ(Label("statusSize"), "");

  Key(Qt::Key_L, Qt::NoModifier);
  LeftPress(CellPoint(tab, 2, 2));
  LeftRelease(CellPoint(tab, 2, 2));
  Hover(CellPoint(tab, 6, 4));
  EXPECT_EQ(Label("statusSize"), "大きさ 5 × 3 セル");
  Hover(CellPoint(tab, 0, 9));
  EXPECT_EQ(Label("statusSize"), "大きさ 3 × 8 セル");
  RightPress(CellPoint(tab, 0, 9));
  RightRelease(CellPoint(tab, 0, 9));
  EXPECT_EQ(Label("statusSize"), "");

  // Zoomed and scrolled, the pointer still names the cell it is on.
  const QPoint pointer = CellPoint(tab, 3, 4);
  for (int i = 0; i < 6; ++i) Wheel(pointer, WHEEL_NOTCH, Qt::ControlModifier);
  EXPECT_EQ(Label("statusZoom"), "表示: 32 ピクセル/セル");
  EXPECT_GT(editView.scrollX, 0);
  const QPoint shown = ShownCellPoint(tab, 3, 4);
  ASSERT_TRUE(shown.x() > 0 && shown.y() > 0);
  Hover(shown);
  EXPECT_EQ(Label("statusCell"), "セル (3, 4)  インデックス 9  色 #FF0000");
}

}  // namespace
