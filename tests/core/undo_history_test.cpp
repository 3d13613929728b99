#include <gtest/gtest.h>

#include "model/tab_set.h"
#include "model/undo_history.h"

namespace {

struct HistoryTab {
  ImageTab tab;
  HistoryTab(int width, int height, std::uint8_t code) {
    tab.inUse = 1;
    tab.width = static_cast<std::uint8_t>(width);
    tab.height = static_cast<std::uint8_t>(height);
    tab.colorCode = code;
  }
  ~HistoryTab() { FreeUndoHistory(tab); }
  // Marks the whole image with one value so that snapshots can be told apart.
  void Paint(PixelCell value) {
    for (int x = 0; x < tab.width; ++x)
      for (int y = 0; y < tab.height; ++y) CellAt(tab, x, y) = value;
  }
  PixelCell Shown() const { return CellAt(tab, 0, 0); }
};

TEST(UndoHistory, RecordingAfterUndoInsertsWithoutDiscarding) {
  HistoryTab h(3, 2, 16);
  const PixelCell S0 = 0, A = 1, B = 2, C = 3, D = 4;
  for (PixelCell value : {S0, A, B, C}) {
    h.Paint(value);
    ASSERT_TRUE(PushUndoSnapshot(h.tab));
  }
  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  EXPECT_EQ(h.Shown(), A);
  h.Paint(D);
  ASSERT_TRUE(PushUndoSnapshot(h.tab));

  std::vector<PixelCell> order;
  for (UndoNode* node = h.tab.undoFirst; node != nullptr; node = node->next) order.push_back(node->pixels[0]);
  EXPECT_EQ(order, (std::vector<PixelCell>{S0, A, D, B, C}));
  EXPECT_EQ(h.tab.undoCurrent->pixels[0], D);
  EXPECT_EQ(h.tab.undoLast->pixels[0], C);
  // The backward links mirror the forward ones.
  std::vector<PixelCell> backwards;
  for (UndoNode* node = h.tab.undoLast; node != nullptr; node = node->previous) backwards.push_back(node->pixels[0]);
  EXPECT_EQ(backwards, (std::vector<PixelCell>{C, B, D, A, S0}));

  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  EXPECT_EQ(h.Shown(), A);
  ASSERT_TRUE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(h.Shown(), D);
  ASSERT_TRUE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(h.Shown(), B);
  ASSERT_TRUE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(h.Shown(), C);
  EXPECT_FALSE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(h.Shown(), C);
}

TEST(UndoHistory, EndsOfTheHistoryDoNothing) {
  HistoryTab h(2, 2, 2);
  EXPECT_FALSE(CanUndo(h.tab));
  EXPECT_FALSE(StepUndoSnapshot(h.tab));
  EXPECT_FALSE(StepRedoSnapshot(h.tab));
  ASSERT_TRUE(PushUndoSnapshot(h.tab));
  EXPECT_FALSE(CanUndo(h.tab));
  EXPECT_FALSE(CanRedo(h.tab));
  h.Paint(1);
  EXPECT_FALSE(StepUndoSnapshot(h.tab));
  EXPECT_EQ(h.Shown(), 1);  // nothing was copied back
  ASSERT_TRUE(PushUndoSnapshot(h.tab));
  EXPECT_TRUE(CanUndo(h.tab));
  EXPECT_FALSE(CanRedo(h.tab));
  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  EXPECT_FALSE(CanUndo(h.tab));
  EXPECT_TRUE(CanRedo(h.tab));
}

TEST(UndoHistory, SnapshotsKeepPixelsRowByRowAndThePalette) {
  HistoryTab h(3, 2, 0);
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 2; ++y) CellAt(h.tab, x, y) = static_cast<PixelCell>(10 * y + x);
  for (int i = 0; i < 256; ++i) h.tab.palette[i] = static_cast<ColorRef>(i * 3);
  ASSERT_TRUE(PushUndoSnapshot(h.tab));
  const PixelCell* pixels = h.tab.undoFirst->pixels;
  EXPECT_EQ((std::vector<PixelCell>(pixels, pixels + 6)), (std::vector<PixelCell>{0, 1, 2, 10, 11, 12}));
  EXPECT_EQ(UndoSnapshotBytes(h.tab), sizeof(UndoNode) + 2 * 6 + 4 * 256);

  for (int i = 0; i < 256; ++i) h.tab.palette[i] = 7;
  h.Paint(FRESH_CELL);
  ASSERT_TRUE(PushUndoSnapshot(h.tab));
  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  EXPECT_EQ(h.tab.palette[255], 255u * 3);
  EXPECT_EQ(CellAt(h.tab, 2, 1), 12);
}

TEST(UndoHistory, FreeingLeavesAFreeSlotAlone) {
  HistoryTab h(2, 2, 2);
  ASSERT_TRUE(PushUndoSnapshot(h.tab));
  h.tab.inUse = 0;
  FreeUndoHistory(h.tab);
  EXPECT_NE(h.tab.undoFirst, nullptr);
  h.tab.inUse = 1;
  FreeUndoHistory(h.tab);
  EXPECT_EQ(h.tab.undoFirst, nullptr);
  EXPECT_EQ(h.tab.undoCurrent, nullptr);
  EXPECT_EQ(h.tab.undoLast, nullptr);
}

}  // namespace
