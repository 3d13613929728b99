// The everyday paste at the picture's own size and the range tool's drag of
// a selection's content: the block floats above the image, moves with the
// mouse and the arrow keys, and changes the image only when it is placed.

#include <QMainWindow>
#include <QTest>

#include "app/main_window.h"
#include "canvas/floating_paste.h"
#include "tests/ui/clipboard_fixture.h"

namespace {

// The pattern of the pasted picture: palette entries 1 to 15 of the test
// palette, so that every pasted cell differs from a fresh one.
PixelCell PatternIndex(int x, int y) { return static_cast<PixelCell>((x * 3 + y) % 15 + 1); }

// How the block is left after it was moved.
enum class Ending { Enter, ClickOutside, Escape, NextCommand };

class FloatingPasteTest : public ClipboardTest {
 protected:
  void SetUp() override {
    ClipboardTest::SetUp();
    mainWindows.main->activateWindow();
    QApplication::processEvents();
  }

  static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mainWindows.editView->setFocus();
    QTest::keyClick(mainWindows.editView, key, modifiers);
  }

  void End(const ImageTab& tab, Ending ending) {
    switch (ending) {
      case Ending::Enter: Key(Qt::Key_Return); break;
      case Ending::ClickOutside: ClickCell(tab, tab.width - 1, tab.height - 1); break;
      case Ending::Escape: Key(Qt::Key_Escape); break;
      case Ending::NextCommand: DispatchCommand(CMD_FLIP_HORIZONTAL); break;
    }
  }

  // A 16 x 16 tab of the pattern, recorded, with cells 2,3 to 5,6 selected
  // by the range tool.
  ImageTab& PatternTabWithSelection() {
    ImageTab& tab = OpenTab(16, 16);
    for (int x = 0; x < 16; ++x)
      for (int y = 0; y < 16; ++y) CellAt(tab, x, y) = PatternIndex(x, y);
    RecordUndo(tab);
    DispatchCommand(CMD_RANGE_SELECT);
    ClickCell(tab, 2, 3);
    Hover(CellPoint(tab, 5, 6));
    ClickCell(tab, 5, 6);
    return tab;
  }

  // Cells that differ between two column-major pictures of the tab.
  static int Differences(const std::vector<PixelCell>& a, const std::vector<PixelCell>& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) count += a[i] != b[i] ? 1 : 0;
    return count;
  }
};

TEST_F(FloatingPasteTest, CtrlVFloatsAtOwnSizeMovesByDragAndArrowsAndChangesOnlyWhereItIsPlaced) {
  struct Case {
    Ending ending;
    bool placed;
  };
  const Case cases[] = {{Ending::Enter, true}, {Ending::ClickOutside, true}, {Ending::Escape, false}};
  for (const Case& c : cases) {
    ImageTab& tab = OpenTab(48, 48);
    RecordUndo(tab);
    const std::vector<PixelCell> before = Cells(tab);
    const int steps = HistoryLength(tab);
    PutOnClipboard(23, 23, [](int x, int y) { return TestPaletteColor(PatternIndex(x, y)); });
    Key(Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(FloatingActive(&tab));
    // Floating: the image itself has not changed yet.
    EXPECT_EQ(Cells(tab), before);
    // Nothing selected and the whole image in view: the block starts at the
    // top-left cell. Dragged by its cell (5, 5) to (12, 9), then two cells
    // right and one down with the keys, it lies at (9, 5).
    LeftPress(CellPoint(tab, 5, 5));
    LeftDrag(CellPoint(tab, 8, 7));
    LeftDrag(CellPoint(tab, 12, 9));
    LeftRelease(CellPoint(tab, 12, 9));
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    End(tab, c.ending);
    EXPECT_FALSE(FloatingActive());
    const std::vector<PixelCell> after = Cells(tab);
    if (!c.placed) {
      EXPECT_EQ(after, before);
      EXPECT_EQ(HistoryLength(tab), steps);
    } else {
      EXPECT_EQ(Differences(before, after), 23 * 23);
      for (int x = 0; x < 23; ++x)
        for (int y = 0; y < 23; ++y) ASSERT_EQ(CellAt(tab, 9 + x, 5 + y), PatternIndex(x, y)) << x << "," << y;
      // One undo step, which brings the image back.
      EXPECT_EQ(HistoryLength(tab), steps + 1);
      DispatchCommand(CMD_UNDO);
      EXPECT_EQ(Cells(tab), before);
    }
    DispatchCommand(CMD_DELETE_TAB);
  }
}

TEST_F(FloatingPasteTest, TheBlockStartsAtTheSelectionAndKeepsColourNumbersWithShift) {
  ImageTab& tab = OpenTab(16, 16);
  // Colours absent from the palette's order: the as-it-is paste numbers
  // black 0 and the next colour met 1.
  PutOnClipboard(3, 2, [](int x, int) { return x == 0 ? 0x000000u : 0x123456u; });
  tab.selection = {6, 4, 9, 9};
  Key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
  Key(Qt::Key_Return);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 2; ++y) EXPECT_EQ(CellAt(tab, 6 + x, 4 + y), x == 0 ? 0 : 1) << x << "," << y;
  EXPECT_EQ(CellAt(tab, 9, 4), FRESH_CELL);
  EXPECT_EQ(CellAt(tab, 6, 6), FRESH_CELL);
}

TEST_F(FloatingPasteTest, DraggingInsideASelectionWithTheRangeToolMovesItsContent) {
  struct Case {
    Ending ending;
    bool moved;
  };
  const Case cases[] = {{Ending::Enter, true}, {Ending::NextCommand, true}, {Ending::Escape, false}};
  for (const Case& c : cases) {
    ImageTab& tab = PatternTabWithSelection();
    const std::vector<PixelCell> before = Cells(tab);
    ASSERT_EQ(tab.dragState, -1);
    ASSERT_EQ(tab.selection.right, 5);
    LeftPress(CellPoint(tab, 3, 4));
    LeftDrag(CellPoint(tab, 10, 4));
    LeftRelease(CellPoint(tab, 10, 4));
    Key(Qt::Key_Down);
    End(tab, c.ending);
    if (!c.moved) {
      EXPECT_EQ(Cells(tab), before);
    } else {
      // The content lies at (9, 4); the cells it left and does not cover
      // again are transparent. The flip afterwards acts on the placed block.
      for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
          const int sourceX = c.ending == Ending::NextCommand ? 3 - x : x;
          EXPECT_EQ(CellAt(tab, 9 + x, 4 + y), PatternIndex(2 + sourceX, 3 + y)) << x << "," << y;
          EXPECT_EQ(CellAt(tab, 2 + x, 3), FRESH_CELL);
        }
      EXPECT_EQ(CellAt(tab, 0, 0), PatternIndex(0, 0));
    }
    DispatchCommand(CMD_DELETE_TAB);
  }
}

TEST_F(FloatingPasteTest, AClickInsideASelectionWithoutMovingStartsANewSelection) {
  ImageTab& tab = PatternTabWithSelection();
  const std::vector<PixelCell> before = Cells(tab);
  ClickCell(tab, 3, 4);
  EXPECT_FALSE(FloatingActive());
  EXPECT_EQ(tab.dragState, 1);
  EXPECT_EQ(tab.anchorX, 3);
  EXPECT_EQ(tab.anchorY, 4);
  EXPECT_EQ(Cells(tab), before);
}

}  // namespace
