#include <gtest/gtest.h>

#include "model/image_tab.h"
#include "model/tab_set.h"
#include "model/undo_history.h"

namespace {

ImageTab MakeTab(int width, int height, std::uint8_t colorCode, int cellSize = 1) {
  ImageTab tab{};
  tab.inUse = 1;
  tab.width = static_cast<std::uint8_t>(width);
  tab.height = static_cast<std::uint8_t>(height);
  tab.colorCode = colorCode;
  tab.cellSize = static_cast<std::uint8_t>(cellSize);
  return tab;
}

TEST(ImageTab, PaletteSizeAndTitleFollowTheColourCode) {
  ImageTab tab = MakeTab(32, 32, 0);
  EXPECT_EQ(PaletteSize(tab), 256);
  FormatTabTitle(tab, 32, 32, 0);
  EXPECT_STREQ(tab.title, " 32x32x256 ");
  tab.colorCode = 16;
  EXPECT_EQ(PaletteSize(tab), 16);
  tab.colorCode = 2;
  EXPECT_EQ(PaletteSize(tab), 2);
  FormatTabTitle(tab, 1, 64, 2);
  EXPECT_STREQ(tab.title, " 1x64x2 ");
}

TEST(ImageTab, CellsAreColumnMajorWithAColumnAsLongAsTheStore) {
  ImageTab tab = MakeTab(16, 32, 16);
  ClearTabPixels(tab);
  int fresh = 0;
  for (PixelCell cell : tab.cells) fresh += cell == FRESH_CELL;
  EXPECT_EQ(fresh, 16 * 32);
  // Column 1, row 0 is element STORE_SIZE, not element 32.
  EXPECT_EQ(tab.cells[STORE_SIZE], FRESH_CELL);
  EXPECT_EQ(tab.cells[32], 0u);
  EXPECT_EQ(tab.cells[15 * STORE_SIZE + 31], FRESH_CELL);
  EXPECT_EQ(tab.cells[15 * STORE_SIZE + 32], 0u);
}

TEST(ImageTab, CellValueAtPointMapsTheEdges) {
  ImageTab tab = MakeTab(4, 3, 16, 10);
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 3; ++y) CellAt(tab, x, y) = static_cast<PixelCell>(x * 10 + y);
  EXPECT_EQ(CellValueAtPoint(16, 16, &tab), 0);
  EXPECT_EQ(CellValueAtPoint(25, 25, &tab), 0);
  EXPECT_EQ(CellValueAtPoint(26, 16, &tab), 10);
  EXPECT_EQ(CellValueAtPoint(16 + 4 * 10 - 1, 16 + 3 * 10 - 1, &tab), 32);
  // One past the last cell, and anything left of or above the origin.
  EXPECT_EQ(CellValueAtPoint(16 + 4 * 10, 20, &tab), NO_CELL);
  EXPECT_EQ(CellValueAtPoint(20, 16 + 3 * 10, &tab), NO_CELL);
  EXPECT_EQ(CellValueAtPoint(15, 20, &tab), NO_CELL);
  EXPECT_EQ(CellValueAtPoint(20, 15, &tab), NO_CELL);
  // Negative points become large unsigned values and lie outside.
  EXPECT_EQ(CellValueAtPoint(-1, 20, &tab), NO_CELL);
  EXPECT_EQ(CellValueAtPoint(20, -65536 + 20, &tab), 0);
  EXPECT_EQ(CellValueAtPoint(20, 20, nullptr), NO_CELL);
}

TEST(ImageTab, OneByOneImageUsesElementZero) {
  ImageTab tab = MakeTab(1, 1, 2, 5);
  ClearTabPixels(tab);
  EXPECT_EQ(tab.cells[0], FRESH_CELL);
  EXPECT_EQ(tab.cells[1], 0);
  EXPECT_EQ(CellValueAtPoint(16, 16, &tab), FRESH_CELL);
  EXPECT_EQ(CellValueAtPoint(21, 16, &tab), NO_CELL);
}

TEST(ImageTab, ClearSelectionAreaTouchesOnlyTheInclusiveRectangle) {
  ImageTab tab = MakeTab(8, 8, 16);
  for (PixelCell& cell : tab.cells) cell = 5;
  tab.selection = {2, 3, 4, 5};
  ClearSelectionArea(tab);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) {
      const bool inside = x >= 2 && x <= 4 && y >= 3 && y <= 5;
      EXPECT_EQ(CellAt(tab, x, y), inside ? FRESH_CELL : 5) << x << "," << y;
    }
}

TEST(TabSetSlots, FreeSlotsAreReusedLowestFirst) {
  static TabSet set;
  EXPECT_EQ(FindFreeSlot(set), 0);
  for (int i = 0; i < MAX_TABS; ++i) set.tabs[i].inUse = 1;
  EXPECT_EQ(FindFreeSlot(set), -1);
  set.tabs[7].inUse = 0;
  set.tabs[3].inUse = 0;
  EXPECT_EQ(FindFreeSlot(set), 3);
}

TEST(TabSetSlots, ChangedStateComesFromTheHistoryOfUsedSlots) {
  static TabSet set;
  EXPECT_TRUE(AllTabsUnchanged(set));
  ImageTab& tab = set.tabs[4];
  tab = MakeTab(2, 2, 2);
  ASSERT_TRUE(PushUndoSnapshot(tab));
  // Only the first snapshot: unchanged, whatever else the user touched.
  tab.penIndex = 1;
  tab.backgroundIndex = 3;
  EXPECT_TRUE(AllTabsUnchanged(set));
  ASSERT_TRUE(PushUndoSnapshot(tab));
  EXPECT_FALSE(AllTabsUnchanged(set));
  // Undoing back to the first snapshot makes the tab unchanged again; a
  // new edit from there is a change although the history's end stays.
  ASSERT_TRUE(StepUndoSnapshot(tab));
  EXPECT_TRUE(AllTabsUnchanged(set));
  ASSERT_TRUE(PushUndoSnapshot(tab));
  EXPECT_FALSE(AllTabsUnchanged(set));
  // Once saved, the saved snapshot is the unchanged state, and stepping
  // away from it either way is a change.
  MarkTabSaved(tab);
  EXPECT_TRUE(AllTabsUnchanged(set));
  ASSERT_TRUE(StepUndoSnapshot(tab));
  EXPECT_FALSE(AllTabsUnchanged(set));
  ASSERT_TRUE(StepRedoSnapshot(tab));
  ASSERT_TRUE(StepRedoSnapshot(tab));
  EXPECT_FALSE(AllTabsUnchanged(set));
  // A free slot is never counted, even with history pointers left behind.
  tab.inUse = 0;
  EXPECT_TRUE(AllTabsUnchanged(set));
  tab.inUse = 1;
  FreeUndoHistory(tab);
}

}  // namespace
