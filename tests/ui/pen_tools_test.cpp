
#include <QTest>

#include <algorithm>

#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/cell_geometry.h"
#include "canvas/pen_algorithms.h"
#include "model/undo_history.h"
#include "tests/ui/canvas_fixture.h"

namespace {

using PenToolsTest = CanvasTest;

int HistoryLength(const ImageTab& tab) {
  int count = 0;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++count;
  return count;
}

std::vector<std::pair<int, int>> CellsEqualTo(const ImageTab& tab, PixelCell value) {
  std::vector<std::pair<int, int>> cells;
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x)
      if (CellAt(tab, x, y) == value) cells.emplace_back(x, y);
  return cells;
}

bool SameRect(const CellRect& a, const CellRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

constexpr PixelCell RED_CELL = 9;

}  // namespace

TEST_F(PenToolsTest, RangeSelectFollowsTheStateTable) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_RANGE_SELECT);
  ASSERT_EQ(tab.penMode, 0u);
  const int snapshots = HistoryLength(tab);

  // -1, left press: 0 with anchor = end = cursor; the selection waits.
  LeftPress(CellPoint(tab, 2, 2));
  EXPECT_EQ(tab.dragState, 0);
  EXPECT_EQ(tab.anchorX, 2);
  EXPECT_EQ(tab.anchorY, 2);
  EXPECT_TRUE(SameRect(tab.selection, WholeImage(tab)));
  // 0, left drag: the anchor follows the pointer.
  LeftDrag(CellPoint(tab, 3, 4));
  EXPECT_EQ(tab.dragState, 0);
  EXPECT_EQ(tab.anchorX, 3);
  EXPECT_EQ(tab.anchorY, 4);
  // A drag outside the image is ignored.
  LeftDrag(QPoint(5, 5));
  EXPECT_EQ(tab.anchorX, 3);
  // 0, left release: 1.
  LeftRelease(CellPoint(tab, 3, 4));
  EXPECT_EQ(tab.dragState, 1);
  // 1, hover onto a new cell: the band is the selection.
  Hover(CellPoint(tab, 6, 9));
  EXPECT_EQ(tab.dragState, 1);
  EXPECT_TRUE(SameRect(tab.selection, CellRect{3, 4, 6, 9}));
  // 1, left press: nothing.
  LeftPress(CellPoint(tab, 10, 10));
  EXPECT_EQ(tab.dragState, 1);
  EXPECT_TRUE(SameRect(tab.selection, CellRect{3, 4, 6, 9}));
  // 1, left release: -1, fixed as last shown, no snapshot.
  LeftRelease(CellPoint(tab, 10, 10));
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_TRUE(SameRect(tab.selection, CellRect{3, 4, 6, 9}));
  EXPECT_EQ(HistoryLength(tab), snapshots);
  // -1, hover: nothing moves any more.
  Hover(CellPoint(tab, 12, 12));
  EXPECT_TRUE(SameRect(tab.selection, CellRect{3, 4, 6, 9}));
}

TEST_F(PenToolsTest, RightButtonEndsARangeSelectionAndSelectsAll) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_RANGE_SELECT);
  ClickCell(tab, 2, 2);
  Hover(CellPoint(tab, 5, 5));
  ASSERT_EQ(tab.dragState, 1);
  RightPress(CellPoint(tab, 5, 5));
  RightRelease(CellPoint(tab, 5, 5));
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_TRUE(SameRect(tab.selection, WholeImage(tab)));

  // A move with the right button held ends it as well, and so does a right
  // press outside the image.
  ClickCell(tab, 2, 2);
  Hover(CellPoint(tab, 4, 4));
  RightDrag(CellPoint(tab, 4, 5));
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_TRUE(SameRect(tab.selection, WholeImage(tab)));
  ClickCell(tab, 2, 2);
  Hover(CellPoint(tab, 4, 4));
  RightPress(QPoint(3, 3));
  EXPECT_EQ(tab.dragState, -1);
}

TEST_F(PenToolsTest, SelectionDrawnBackwardsIsStoredNormalised) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_RANGE_SELECT);
  ClickCell(tab, 7, 2);
  Hover(CellPoint(tab, 5, 3));
  Hover(CellPoint(tab, 3, 5));
  ClickCell(tab, 3, 5);
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_TRUE(SameRect(tab.selection, CellRect{3, 2, 7, 5}));
  // The frame shows it: a repaint from scratch gives the same picture.
  const QImage shown = editView.backBuffer.copy();
  RepaintEditView(&tab);
  EXPECT_EQ(shown, editView.backBuffer);
}

TEST_F(PenToolsTest, TwoClicksOnOneCellSelectThatCell) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_RANGE_SELECT);
  ClickCell(tab, 6, 8);
  ClickCell(tab, 6, 8);
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_TRUE(SameRect(tab.selection, CellRect{6, 8, 6, 8}));
}

TEST_F(PenToolsTest, ChoosingToolsResetsTheSelectionOnlyWhenLeavingRangeSelect) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_RANGE_SELECT);
  ClickCell(tab, 2, 2);
  Hover(CellPoint(tab, 4, 4));
  // The current tool again: nothing changes, not even the band under way.
  DispatchCommand(CMD_RANGE_SELECT);
  EXPECT_EQ(tab.dragState, 1);
  EXPECT_TRUE(SameRect(tab.selection, CellRect{2, 2, 4, 4}));
  ClickCell(tab, 4, 4);
  ASSERT_TRUE(SameRect(tab.selection, CellRect{2, 2, 4, 4}));
  // The pen with a fixed selection: the whole image.
  DispatchCommand(CMD_PEN);
  EXPECT_EQ(tab.penMode, 1u);
  EXPECT_TRUE(SameRect(tab.selection, WholeImage(tab)));
  DispatchCommand(CMD_RANGE_SELECT);
  EXPECT_TRUE(SameRect(tab.selection, WholeImage(tab)));
  EXPECT_EQ(tab.dragState, -1);
}

TEST_F(PenToolsTest, PenPaintsTheCellsUnderThePointerAndRecordsOneStroke) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  tab.penIndex = RED_CELL;
  const int snapshots = HistoryLength(tab);
  LeftPress(CellPoint(tab, 1, 1));
  LeftDrag(CellPoint(tab, 2, 1));
  LeftDrag(CellPoint(tab, 2, 1) + QPoint(2, 0));
  // A move that skips (3, 1) still paints it; leaving the image paints
  // nothing more.
  LeftDrag(CellPoint(tab, 4, 1));
  LeftDrag(QPoint(500, 500));
  LeftRelease(QPoint(500, 500));
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL), (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(HistoryLength(tab), snapshots + 1);
  EXPECT_TRUE(IsTabChanged(tab));
  EXPECT_EQ(tab.lastX, -1);
  // The back buffer and the preview show the stroke.
  EXPECT_EQ(BackPixel(CellPoint(tab, 4, 1).x(), CellPoint(tab, 4, 1).y()), TestPaletteColor(RED_CELL));
  EXPECT_EQ(ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + 4, mainPreview.originY + 1)),
            TestPaletteColor(RED_CELL));
  // The window shows what the back buffer holds.
  EXPECT_EQ(EditWindowPicture(), editView.backBuffer);
}

TEST_F(PenToolsTest, AFastStrokeOfWidelySpacedMovesLeavesNoGapsAndIsOneUndoStep) {
  ImageTab& tab = OpenTab(32, 32, 400, 400);
  tab.penIndex = RED_CELL;
  const int snapshots = HistoryLength(tab);
  const PixelCell blank = CellAt(tab, 16, 16);
  auto* view = static_cast<QFrame*>(editView.window);
  const QPoint origin = view->contentsRect().topLeft();
  const auto at = [&](int x, int y) { return origin + CellPoint(tab, x, y); };
  // Real mouse events, each several cells from the one before, in a bent
  // stroke: right along row 2, then down and left at a slant.
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at(2, 2));
  for (const auto& [x, y] : {std::pair{6, 2}, {11, 2}, {15, 5}, {12, 12}})
    QTest::mouseMove(view, at(x, y));
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at(12, 12));

  std::vector<std::pair<int, int>> expected;
  for (int x = 2; x <= 11; ++x) expected.emplace_back(x, 2);
  TraceLine(11, 2, 15, 5, [&](int x, int y) { expected.emplace_back(x, y); });
  TraceLine(15, 5, 12, 12, [&](int x, int y) { expected.emplace_back(x, y); });
  std::sort(expected.begin(), expected.end(), [](auto a, auto b) { return std::pair(a.second, a.first) < std::pair(b.second, b.first); });
  expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL), expected);
  EXPECT_EQ(HistoryLength(tab), snapshots + 1);
  // Each cell was shown as it was painted.
  EXPECT_EQ(BackPixel(CellPoint(tab, 14, 4).x(), CellPoint(tab, 14, 4).y()), TestPaletteColor(RED_CELL));
  EXPECT_EQ(ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + 13, mainPreview.originY + 9)),
            TestPaletteColor(RED_CELL));

  // A new stroke starts on its own cell, not at the end of the last one.
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at(20, 20));
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at(20, 20));
  EXPECT_EQ(CellAt(tab, 16, 16), blank);
  EXPECT_EQ(CellAt(tab, 20, 20), RED_CELL);
}

TEST_F(PenToolsTest, LeaveBackgroundPaintsTransparentCells) {
  // On a true-colour tab the pen paints its colour, alpha and all, and the
  // switch makes it an eraser.
  struct Row {
    bool trueColour;
    PixelCell painted, erased;
  };
  for (const Row& row : {Row{false, RED_CELL, 0x100 | RED_CELL}, Row{true, 0x80FF0000u, 0}}) {
    ImageTab& tab = row.trueColour ? OpenTrueColourTab(8, 8, 184, 184) : OpenTab(8, 8, 184, 184);
    tab.penIndex = RED_CELL;
    tab.penColour = 0x80FF0000u;
    ClickCell(tab, 3, 3);
    EXPECT_EQ(CellAt(tab, 3, 3), row.painted);
    DispatchCommand(CMD_LEAVE_BACKGROUND);
    EXPECT_EQ(tab.penMask, 1u);
    ClickCell(tab, 3, 3);
    EXPECT_EQ(CellAt(tab, 3, 3), row.erased);
    DispatchCommand(CMD_LEAVE_BACKGROUND);
    EXPECT_EQ(tab.penMask, 0u);
  }
}

TEST_F(PenToolsTest, FillWithTheSameValueChangesNothingButRecordsASnapshot) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  DispatchCommand(CMD_FILL);
  tab.penIndex = 0;
  tab.penMask = 1;
  const int snapshots = HistoryLength(tab);
  ClickCell(tab, 3, 3);
  EXPECT_EQ(CellsEqualTo(tab, FRESH_CELL).size(), 64u);
  EXPECT_EQ(HistoryLength(tab), snapshots + 1);
}

TEST_F(PenToolsTest, FillTellsTransparentFromOpaqueCellsOfOneIndex) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) CellAt(tab, x, y) = 3;
  // A transparent column of the same index splits the image in two.
  for (int y = 0; y < 8; ++y) CellAt(tab, 4, y) = 0x103;
  RepaintEditView(&tab);
  DispatchCommand(CMD_FILL);
  tab.penIndex = RED_CELL;
  ClickCell(tab, 1, 1);
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL).size(), 32u);
  EXPECT_EQ(CellsEqualTo(tab, 0x103).size(), 8u);
  EXPECT_EQ(CellsEqualTo(tab, 3).size(), 24u);
  // The whole region is shown, in the back buffer and the preview.
  EXPECT_EQ(BackPixel(CellPoint(tab, 0, 7).x(), CellPoint(tab, 0, 7).y()), TestPaletteColor(RED_CELL));
  EXPECT_EQ(ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + 3, mainPreview.originY + 7)),
            TestPaletteColor(RED_CELL));

  // The same on a true-colour tab of the largest size, whose colours differ
  // only in alpha: the fill matches the whole pixel.
  ImageTab& large = OpenTrueColourTab(256, 256, 184, 184);
  for (int x = 0; x < 256; ++x)
    for (int y = 0; y < 256; ++y) CellAt(large, x, y) = x == 4 ? 0x80FF0000u : 0xFFFF0000u;
  large.penColour = 0x400000FFu;
  DispatchCommand(CMD_FILL);
  ClickCell(large, 1, 1);
  EXPECT_EQ(CellsEqualTo(large, 0x400000FFu).size(), 4u * 256);
  EXPECT_EQ(CellsEqualTo(large, 0x80FF0000u).size(), 256u);
  EXPECT_EQ(CellAt(large, 255, 255), 0xFFFF0000u);
}

TEST_F(PenToolsTest, LineFromOriginToFiveTwo) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_LINE);
  tab.penIndex = RED_CELL;
  const int snapshots = HistoryLength(tab);
  ClickCell(tab, 0, 0);
  EXPECT_EQ(tab.dragState, 1);
  EXPECT_EQ(HistoryLength(tab), snapshots);
  Hover(CellPoint(tab, 3, 1));
  Hover(CellPoint(tab, 5, 2));
  // The band is only drawn: no cell is set before the second click.
  EXPECT_TRUE(CellsEqualTo(tab, RED_CELL).empty());
  ClickCell(tab, 5, 2);
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL),
            (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
  EXPECT_EQ(HistoryLength(tab), snapshots + 1);
  // The tool stays ready for the next segment from this end.
  EXPECT_EQ(tab.dragState, 1);
  EXPECT_EQ(tab.anchorX, 5);
  EXPECT_EQ(tab.anchorY, 2);
}

TEST_F(PenToolsTest, LineBandLivesInTheBackBufferOnly) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_LINE);
  tab.penIndex = RED_CELL;
  const QImage before = editView.backBuffer.copy();
  ClickCell(tab, 1, 1);
  Hover(CellPoint(tab, 6, 1));
  // The band shows the pen colour inside its cells with an inverted outline.
  const QPoint middle = CellPoint(tab, 4, 1);
  EXPECT_EQ(BackPixel(middle.x(), middle.y()), TestPaletteColor(RED_CELL));
  // Moving the band back to the anchor restores every other cell exactly.
  Hover(CellPoint(tab, 1, 1));
  const QImage shrunk = editView.backBuffer.copy();
  int differing = 0;
  const PixelRect anchor = CellSquare(1, 1, tab.cellSize);
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      if (before.pixel(x, y) != shrunk.pixel(x, y)) {
        ++differing;
        EXPECT_TRUE(x >= anchor.left && x < anchor.right && y >= anchor.top && y < anchor.bottom) << x << "," << y;
      }
  EXPECT_GT(differing, 0);
  EXPECT_TRUE(CellsEqualTo(tab, RED_CELL).empty());
}

TEST_F(PenToolsTest, LineOnItsOwnAnchorSetsOneCell) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_LINE);
  tab.penIndex = RED_CELL;
  ClickCell(tab, 4, 4);
  ClickCell(tab, 4, 4);
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL), (std::vector<std::pair<int, int>>{{4, 4}}));
}

TEST_F(PenToolsTest, ChainedSegmentsAreOneUndoStepEach) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_LINE);
  tab.penIndex = RED_CELL;
  const int snapshots = HistoryLength(tab);
  ClickCell(tab, 0, 0);
  Hover(CellPoint(tab, 3, 0));
  ClickCell(tab, 3, 0);
  Hover(CellPoint(tab, 3, 3));
  ClickCell(tab, 3, 3);
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL).size(), 7u);
  EXPECT_EQ(HistoryLength(tab), snapshots + 2);
  RightPress(CellPoint(tab, 8, 8));
  EXPECT_EQ(tab.dragState, -1);
  // After the right button the next click starts a new line.
  ClickCell(tab, 10, 10);
  EXPECT_EQ(tab.dragState, 1);
  EXPECT_EQ(tab.anchorX, 10);
  RightPress(CellPoint(tab, 8, 8));

  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL).size(), 4u);
  DispatchCommand(CMD_UNDO);
  EXPECT_TRUE(CellsEqualTo(tab, RED_CELL).empty());
}

TEST_F(PenToolsTest, AClickOnTheCellWhereTheRightButtonEndedAChainStartsTheNextShape) {
  for (const int command : {CMD_LINE, CMD_CIRCLE}) {
    ImageTab& tab = OpenTab(16, 16, 184, 184);
    DispatchCommand(static_cast<unsigned>(command));
    tab.penIndex = RED_CELL;
    const int snapshots = HistoryLength(tab);
    ClickCell(tab, 2, 2);
    Hover(CellPoint(tab, 6, 6));
    RightPress(CellPoint(tab, 6, 6));
    RightRelease(CellPoint(tab, 6, 6));
    ASSERT_EQ(tab.dragState, -1);

    ClickCell(tab, 6, 6);
    EXPECT_EQ(tab.dragState, 1);
    EXPECT_EQ(tab.anchorX, 6);
    EXPECT_EQ(tab.anchorY, 6);
    EXPECT_EQ(HistoryLength(tab), snapshots);
    EXPECT_FALSE(IsTabChanged(tab));
    Hover(CellPoint(tab, 9, 9));
    ClickCell(tab, 9, 9);
    EXPECT_FALSE(CellsEqualTo(tab, RED_CELL).empty());
    EXPECT_EQ(HistoryLength(tab), snapshots + 1);

    // The right button ends the action while the left one is still down:
    // nothing was drawn, so the release records nothing.
    if (command == CMD_CIRCLE) ClickCell(tab, 1, 1);
    LeftPress(CellPoint(tab, 12, 12));
    RightPress(CellPoint(tab, 12, 12));
    LeftRelease(CellPoint(tab, 12, 12));
    EXPECT_EQ(tab.dragState, -1);
    EXPECT_EQ(HistoryLength(tab), snapshots + 1);
  }
}

TEST_F(PenToolsTest, LineAndCircleFollowTheStateTable) {
  for (const int command : {CMD_LINE, CMD_CIRCLE}) {
    ImageTab& tab = OpenTab(16, 16, 184, 184);
    DispatchCommand(static_cast<unsigned>(command));
    EXPECT_EQ(tab.dragState, -1);
    LeftPress(CellPoint(tab, 2, 2));
    EXPECT_EQ(tab.dragState, 0);
    LeftDrag(CellPoint(tab, 3, 2));
    EXPECT_EQ(tab.anchorX, 3);
    LeftRelease(CellPoint(tab, 3, 2));
    EXPECT_EQ(tab.dragState, 1);
    Hover(CellPoint(tab, 7, 6));
    EXPECT_EQ(tab.endX, 7);
    EXPECT_EQ(tab.endY, 6);
    // 1, left press: nothing; a drag with the button held moves no band.
    LeftPress(CellPoint(tab, 9, 9));
    LeftDrag(CellPoint(tab, 10, 9));
    EXPECT_EQ(tab.dragState, 1);
    EXPECT_EQ(tab.anchorX, 3);
    EXPECT_EQ(tab.endX, 7);
    LeftRelease(CellPoint(tab, 10, 9));
    EXPECT_EQ(tab.dragState, command == CMD_LINE ? 1 : -1);
    // Right press while an action is under way ends it.
    if (tab.dragState == 1) {
      RightPress(CellPoint(tab, 1, 1));
      EXPECT_EQ(tab.dragState, -1);
    }
    // Choosing the other two-click tool leaves it idle.
    DispatchCommand(static_cast<unsigned>(command == CMD_LINE ? CMD_CIRCLE : CMD_LINE));
    EXPECT_EQ(tab.dragState, -1);
  }
}

TEST_F(PenToolsTest, CircleOnOneCellChangesAtMostThatCell) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_CIRCLE);
  tab.penIndex = RED_CELL;
  ClickCell(tab, 5, 6);
  ClickCell(tab, 5, 6);
  EXPECT_EQ(CellsEqualTo(tab, RED_CELL), (std::vector<std::pair<int, int>>{{5, 6}}));
  EXPECT_EQ(tab.dragState, -1);
}

TEST_F(PenToolsTest, CircleTouchesItsBoxAndLeavesItsInside) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_CIRCLE);
  tab.penIndex = RED_CELL;
  const int snapshots = HistoryLength(tab);
  ClickCell(tab, 0, 0);
  Hover(CellPoint(tab, 4, 2));
  Hover(CellPoint(tab, 9, 4));
  // The preview is drawn on the window only.
  EXPECT_TRUE(CellsEqualTo(tab, RED_CELL).empty());
  const QImage window = EditWindowPicture();
  EXPECT_NE(window, editView.backBuffer);
  const QPoint top = CellPoint(tab, 4, 0);
  EXPECT_EQ(ColorOfPixel(window.pixel(top)), TestPaletteColor(RED_CELL));
  EXPECT_NE(BackPixel(top.x(), top.y()), TestPaletteColor(RED_CELL));

  ClickCell(tab, 9, 4);
  EXPECT_EQ(HistoryLength(tab), snapshots + 1);
  bool row0 = false, row4 = false, column0 = false, column9 = false;
  for (const auto& [x, y] : CellsEqualTo(tab, RED_CELL)) {
    EXPECT_TRUE(x <= 9 && y <= 4) << x << "," << y;
    row0 |= y == 0;
    row4 |= y == 4;
    column0 |= x == 0;
    column9 |= x == 9;
  }
  EXPECT_TRUE(row0 && row4 && column0 && column9);
  EXPECT_EQ(CellAt(tab, 4, 2), FRESH_CELL);
  EXPECT_EQ(CellAt(tab, 5, 2), FRESH_CELL);
  EXPECT_EQ(CellAt(tab, 0, 0), FRESH_CELL);
  // The commit shows the back buffer again, preview gone.
  EXPECT_EQ(EditWindowPicture(), editView.backBuffer);
}

TEST_F(PenToolsTest, CirclePreviewFollowsTheMouse) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  DispatchCommand(CMD_CIRCLE);
  tab.penIndex = RED_CELL;
  ClickCell(tab, 0, 0);
  Hover(CellPoint(tab, 12, 12));
  const QPoint far = CellPoint(tab, 12, 6);
  EXPECT_EQ(ColorOfPixel(EditWindowPicture().pixel(far)), TestPaletteColor(RED_CELL));
  // A smaller circle takes the larger one's preview away.
  Hover(CellPoint(tab, 4, 4));
  EXPECT_NE(ColorOfPixel(EditWindowPicture().pixel(far)), TestPaletteColor(RED_CELL));
  // Ending the action removes the preview.
  RightPress(CellPoint(tab, 4, 4));
  EXPECT_EQ(EditWindowPicture(), editView.backBuffer);
}

TEST_F(PenToolsTest, RightClickPicksTheCellsColourAndMask) {
  ImageTab& tab = OpenTab(16, 16, 184, 184);
  QAbstractButton* leaveBackground = ToolButton(CMD_LEAVE_BACKGROUND);
  ASSERT_NE(leaveBackground, nullptr);
  CellAt(tab, 3, 3) = 0x10B;
  CellAt(tab, 4, 3) = 6;
  // Pick works in every tool while no action is under way.
  DispatchCommand(CMD_LINE);
  RightPress(CellPoint(tab, 3, 3));
  EXPECT_EQ(tab.penIndex, 11);
  EXPECT_EQ(tab.penMask, 1u);
  EXPECT_TRUE(leaveBackground->isChecked());
  RightPress(CellPoint(tab, 4, 3));
  EXPECT_EQ(tab.penIndex, 6);
  EXPECT_EQ(tab.penMask, 0u);
  EXPECT_FALSE(leaveBackground->isChecked());
  // Outside the image nothing is picked.
  RightPress(QPoint(2, 2));
  RightPress(CellPoint(tab, 16, 3));
  EXPECT_EQ(tab.penIndex, 6);
  // With a line under way the right button ends it and picks nothing.
  ClickCell(tab, 1, 1);
  RightPress(CellPoint(tab, 3, 3));
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_EQ(tab.penIndex, 6);
}

TEST_F(PenToolsTest, InputWithoutTabsIsIgnored) {
  OpenTab(8, 8, 184, 184);
  DeleteAllTabs();
  ShowCurrentPosition();
  LeftPress(QPoint(40, 40));
  LeftRelease(QPoint(40, 40));
  RightPress(QPoint(40, 40));
  DispatchCommand(CMD_UNDO);
  DispatchCommand(CMD_DELETE);
  DispatchCommand(CMD_LINE);
  EXPECT_EQ(tabSet.tabCount, 0);
  for (const QPoint p : {QPoint(0, 0), QPoint(40, 40)})
    EXPECT_EQ(BackPixel(p.x(), p.y()), GetSystemColor(COLOR_WINDOW));
}
