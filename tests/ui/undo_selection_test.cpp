#include "app/command_ids.h"
#include "app/commands.h"
#include "canvas/cell_geometry.h"
#include "canvas/selection.h"
#include "canvas/undo_commands.h"
#include "model/undo_history.h"
#include "tests/ui/canvas_fixture.h"

namespace {

using UndoTest = CanvasTest;
using SelectionTest = CanvasTest;

bool SameRect(const CellRect& a, const CellRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The cells that the pen set to each index, as a compact picture of the tab.
std::vector<PixelCell> Picture(const ImageTab& tab) {
  std::vector<PixelCell> cells;
  for (int y = 0; y < tab.height; ++y)
    for (int x = 0; x < tab.width; ++x) cells.push_back(CellAt(tab, x, y));
  return cells;
}

std::vector<std::vector<PixelCell>> SnapshotOrder(const ImageTab& tab) {
  std::vector<std::vector<PixelCell>> order;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next)
    order.push_back(SnapshotCells(tab, node));
  return order;
}

}  // namespace

TEST_F(UndoTest, FirstActivationRecordsTheInitialState) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  ASSERT_NE(tab.undoFirst, nullptr);
  EXPECT_EQ(tab.undoFirst, tab.undoCurrent);
  EXPECT_EQ(tab.undoFirst, tab.undoLast);
  EXPECT_FALSE(IsTabChanged(tab));
  // Undo and redo at a lone first snapshot do nothing.
  const auto before = Picture(tab);
  EXPECT_FALSE(CanUndo(tab));
  EXPECT_FALSE(CanRedo(tab));
  DispatchCommand(CMD_UNDO);
  DispatchCommand(CMD_REDO);
  EXPECT_EQ(Picture(tab), before);
  EXPECT_EQ(tab.undoCurrent, tab.undoFirst);
}

TEST_F(UndoTest, RecordingAfterAnUndoInsertsAndKeepsTheRest) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  const auto paint = [&](int x, int index) {
    tab.penIndex = static_cast<std::uint8_t>(index);
    ClickCell(tab, x, 0);
    return Picture(tab);
  };
  const auto s0 = Picture(tab);
  const auto a = paint(0, 1);
  const auto b = paint(1, 2);
  const auto c = paint(2, 3);
  DispatchCommand(CMD_UNDO);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(Picture(tab), a);
  EXPECT_TRUE(CanRedo(tab));
  const auto d = paint(5, 4);
  EXPECT_EQ(SnapshotOrder(tab), (std::vector<std::vector<PixelCell>>{s0, a, d, b, c}));
  EXPECT_EQ(Picture(tab), d);
  // B and C are still reachable: redo after D shows B, which lacks D.
  DispatchCommand(CMD_REDO);
  EXPECT_EQ(Picture(tab), b);
  DispatchCommand(CMD_REDO);
  EXPECT_EQ(Picture(tab), c);
  DispatchCommand(CMD_REDO);
  EXPECT_EQ(Picture(tab), c);
  for (const auto& expected : {b, d, a, s0, s0}) {
    DispatchCommand(CMD_UNDO);
    EXPECT_EQ(Picture(tab), expected);
  }
  // Undoing everything brings back the state the tab was opened in.
  EXPECT_FALSE(IsTabChanged(tab));
  DispatchCommand(CMD_REDO);
  EXPECT_TRUE(IsTabChanged(tab));
}

TEST_F(UndoTest, UndoRepaintsTheViews) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  tab.penIndex = 9;
  ClickCell(tab, 2, 2);
  const QPoint cell = CellPoint(tab, 2, 2);
  ASSERT_EQ(BackPixel(cell.x(), cell.y()), TestPaletteColor(9));
  DispatchCommand(CMD_UNDO);
  EXPECT_NE(BackPixel(cell.x(), cell.y()), TestPaletteColor(9));
  EXPECT_NE(ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + 2, mainPreview.originY + 2)),
            TestPaletteColor(9));
  DispatchCommand(CMD_REDO);
  EXPECT_EQ(BackPixel(cell.x(), cell.y()), TestPaletteColor(9));
  EXPECT_EQ(ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + 2, mainPreview.originY + 2)),
            TestPaletteColor(9));
}

TEST_F(UndoTest, UndoRestoresThePalette) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  const ColorRef original = tab.palette[5];
  tab.palette[5] = 0x123456;
  RecordUndo(tab);
  tab.palette[5] = 0x654321;
  RecordUndo(tab);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(tab.palette[5], 0x123456u);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(tab.palette[5], original);
  DispatchCommand(CMD_REDO);
  DispatchCommand(CMD_REDO);
  EXPECT_EQ(tab.palette[5], 0x654321u);
  // Undo leaves the pen, the tool and the background alone.
  tab.penIndex = 7;
  tab.backgroundIndex = 3;
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(tab.penIndex, 7);
  EXPECT_EQ(tab.backgroundIndex, 3);
  EXPECT_EQ(tab.penMode, 1u);
}

TEST_F(UndoTest, UndoEndsATwoClickActionFirst) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  tab.penIndex = 9;
  ClickCell(tab, 1, 1);
  DispatchCommand(CMD_LINE);
  ClickCell(tab, 4, 4);
  Hover(CellPoint(tab, 6, 4));
  ASSERT_EQ(tab.dragState, 1);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_EQ(CellAt(tab, 1, 1), FRESH_CELL);
  // The band is gone from the view: it matches a fresh repaint.
  const QImage shown = editView.backBuffer.copy();
  RepaintEditView(&tab);
  EXPECT_EQ(shown, editView.backBuffer);
}

TEST_F(UndoTest, UndoKeepsAFixedRangeSelectionOnly) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  tab.penIndex = 9;
  ClickCell(tab, 1, 1);
  DispatchCommand(CMD_RANGE_SELECT);
  ClickCell(tab, 2, 2);
  Hover(CellPoint(tab, 4, 5));
  ClickCell(tab, 4, 5);
  ASSERT_TRUE(SameRect(tab.selection, CellRect{2, 2, 4, 5}));
  DispatchCommand(CMD_UNDO);
  EXPECT_TRUE(SameRect(tab.selection, CellRect{2, 2, 4, 5}));
  DispatchCommand(CMD_REDO);
  // With the band still moving, undo ends it and selects everything.
  ClickCell(tab, 1, 1);
  Hover(CellPoint(tab, 3, 3));
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(tab.dragState, -1);
  EXPECT_TRUE(SameRect(tab.selection, WholeImage(tab)));
}

TEST_F(UndoTest, DeletedTabTakesItsHistoryAlong) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  ClickCell(tab, 1, 1);
  const int slot = SlotOf(tab);
  DeleteTab(slot);
  EXPECT_EQ(tab.undoFirst, nullptr);
  EXPECT_EQ(tab.undoCurrent, nullptr);
  EXPECT_EQ(tab.undoLast, nullptr);
  ImageTab& again = OpenTab(4, 4, 184, 184);
  EXPECT_EQ(SlotOf(again), slot);
  EXPECT_EQ(again.undoFirst, again.undoLast);
  EXPECT_EQ(again.undoFirst->previous, nullptr);
  EXPECT_EQ(again.undoFirst->next, nullptr);
}

TEST_F(SelectionTest, DeleteClearsTheSelectionAndRecordsOneSnapshot) {
  ImageTab& tab = OpenTab(8, 8, 184, 184);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) CellAt(tab, x, y) = 5;
  RecordUndo(tab);
  tab.selection = CellRect{1, 2, 3, 2};
  DispatchCommand(CMD_DELETE);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) {
      const bool selected = x >= 1 && x <= 3 && y == 2;
      EXPECT_EQ(CellAt(tab, x, y), selected ? FRESH_CELL : 5) << x << "," << y;
    }
  EXPECT_TRUE(SameRect(tab.selection, CellRect{1, 2, 3, 2}));
  // The views show the cleared cells: index 0, transparent, on white.
  EXPECT_EQ(ColorOfPixel(mainPreview.canvas->pixel(mainPreview.originX + 2, mainPreview.originY + 2)),
            GetSystemColor(COLOR_WINDOW));
  const int snapshotsBefore = [&] {
    int n = 0;
    for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++n;
    return n;
  }();
  tab.selection = WholeImage(tab);
  DispatchCommand(CMD_DELETE);
  int snapshotsAfter = 0;
  for (const UndoNode* node = tab.undoFirst; node != nullptr; node = node->next) ++snapshotsAfter;
  EXPECT_EQ(snapshotsAfter, snapshotsBefore + 1);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) EXPECT_EQ(CellAt(tab, x, y), FRESH_CELL);
  DispatchCommand(CMD_UNDO);
  EXPECT_EQ(CellAt(tab, 0, 0), 5);
  EXPECT_EQ(CellAt(tab, 1, 2), FRESH_CELL);
}

TEST_F(SelectionTest, EachTabKeepsItsOwnSelection) {
  ImageTab& first = OpenTab(8, 8, 184, 184);
  first.selection = CellRect{1, 1, 2, 2};
  ImageTab& second = OpenTab(6, 6, 184, 184);
  EXPECT_TRUE(SameRect(second.selection, WholeImage(second)));
  tabSet.currentPosition = 0;
  ShowCurrentPosition();
  EXPECT_TRUE(SameRect(first.selection, CellRect{1, 1, 2, 2}));
  EXPECT_EQ(editView.lastSelectionFrame, SelectionFrameRect(first.selection, first.cellSize));
}
