#include <gtest/gtest.h>

#include "model/tab_set.h"
#include "model/undo_history.h"

namespace {

struct HistoryTab {
  ImageTab tab{};
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

// Each state has its own size and kind, as conversions between indexed and
// true colour make them, so steps between sizes are walked both ways too.
TEST(UndoHistory, RecordingAfterUndoInsertsWithoutDiscarding) {
  HistoryTab h(3, 2, 16);
  const PixelCell S0 = 0, A = 1, B = 0xFF102030u, C = 0x80405060u, D = 4;
  struct Shape { int width, height; TabKind kind; };
  auto shapeOf = [&](PixelCell value) {
    return value == B || value == C ? Shape{5, 4, TabKind::TrueColour} : value == D ? Shape{2, 2, TabKind::Indexed}
                                                                                    : Shape{3, 2, TabKind::Indexed};
  };
  auto become = [&](PixelCell value) {
    const Shape shape = shapeOf(value);
    h.tab.width = static_cast<std::uint16_t>(shape.width);
    h.tab.height = static_cast<std::uint16_t>(shape.height);
    h.tab.kind = shape.kind;
    h.Paint(value);
  };
  // The value shown, once the tab has the state's size and kind.
  auto shown = [&] {
    const Shape shape = shapeOf(h.Shown());
    EXPECT_EQ(h.tab.width, shape.width);
    EXPECT_EQ(h.tab.kind, shape.kind);
    EXPECT_EQ(CellAt(h.tab, h.tab.width - 1, h.tab.height - 1), h.Shown());
    return h.Shown();
  };
  for (PixelCell value : {S0, A, B, C}) {
    become(value);
    ASSERT_TRUE(PushUndoSnapshot(h.tab));
  }
  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  EXPECT_EQ(shown(), A);
  become(D);
  ASSERT_TRUE(PushUndoSnapshot(h.tab));

  std::vector<PixelCell> order;
  for (UndoNode* node = h.tab.undoFirst; node != nullptr; node = node->next) {
    const std::vector<PixelCell> cells = SnapshotCells(h.tab, node);
    ASSERT_EQ(static_cast<int>(cells.size()), shapeOf(cells[0]).width * shapeOf(cells[0]).height);
    order.push_back(cells[0]);
  }
  EXPECT_EQ(order, (std::vector<PixelCell>{S0, A, D, B, C}));
  EXPECT_EQ(SnapshotCells(h.tab, h.tab.undoCurrent)[0], D);
  EXPECT_EQ(SnapshotCells(h.tab, h.tab.undoLast)[0], C);
  // The backward links mirror the forward ones.
  std::vector<PixelCell> backwards;
  for (UndoNode* node = h.tab.undoLast; node != nullptr; node = node->previous)
    backwards.push_back(SnapshotCells(h.tab, node)[0]);
  EXPECT_EQ(backwards, (std::vector<PixelCell>{C, B, D, A, S0}));

  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  EXPECT_EQ(shown(), A);
  ASSERT_TRUE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(shown(), D);
  ASSERT_TRUE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(shown(), B);
  ASSERT_TRUE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(shown(), C);
  EXPECT_FALSE(StepRedoSnapshot(h.tab));
  EXPECT_EQ(shown(), C);
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
  EXPECT_EQ(SnapshotCells(h.tab, h.tab.undoFirst), (std::vector<PixelCell>{0, 1, 2, 10, 11, 12}));
  EXPECT_EQ(UndoSnapshotBytes(h.tab), sizeof(UndoNode) + sizeof(PixelCell) * 6 + 4 * 256);

  for (int i = 0; i < 256; ++i) h.tab.palette[i] = 7;
  h.Paint(FRESH_CELL);
  ASSERT_TRUE(PushUndoSnapshot(h.tab));
  ASSERT_TRUE(StepUndoSnapshot(h.tab));
  EXPECT_EQ(h.tab.palette[255], 255u * 3);
  EXPECT_EQ(CellAt(h.tab, 2, 1), 12);
}

TEST(UndoHistory, AStepKeepsWhatItChangedAndTheOldestStepsGoPastTheLimit) {
  HistoryTab h(64, 64, 0);
  ASSERT_TRUE(PushUndoSnapshot(h.tab));
  // A thousand one-pixel strokes cost their pixels, palettes and nodes, not
  // a thousand whole images.
  for (int i = 0; i < 1000; ++i) {
    CellAt(h.tab, i % 64, i / 64) = static_cast<PixelCell>(i % 200 + 1);
    ASSERT_TRUE(PushUndoSnapshot(h.tab));
  }
  const std::size_t oneStep = sizeof(UndoNode) + 4 * 256 + 2 * sizeof(PixelCell);
  EXPECT_LE(UndoHistoryBytes(h.tab), 1001 * oneStep + 64 * 64 * sizeof(PixelCell));
  for (int i = 999; i >= 0; --i) {
    ASSERT_TRUE(StepUndoSnapshot(h.tab));
    ASSERT_EQ(CellAt(h.tab, i % 64, i / 64), 0) << i;
    if (i > 0) ASSERT_EQ(CellAt(h.tab, (i - 1) % 64, (i - 1) / 64), (i - 1) % 200 + 1) << i;
  }
  EXPECT_FALSE(IsTabChanged(h.tab));

  // Whole-image steps fill the history until its oldest states go; the
  // ones left still undo to what they were, and the state the tab was
  // opened in is gone, so the tab stays changed.
  FreeUndoHistory(h.tab);
  int dropped = 0;
  int steps = 0;
  for (; dropped == 0 && steps < 10000; ++steps) {
    h.Paint(static_cast<PixelCell>(steps % 256));
    ASSERT_TRUE(PushUndoSnapshot(h.tab, &dropped));
  }
  EXPECT_GT(dropped, 0);
  EXPECT_LE(UndoHistoryBytes(h.tab), UNDO_BYTE_LIMIT);
  for (int back = 1; back <= 10; ++back) {
    ASSERT_TRUE(StepUndoSnapshot(h.tab));
    EXPECT_EQ(h.Shown(), (steps - 1 - back) % 256);
  }
  while (StepUndoSnapshot(h.tab)) {
  }
  EXPECT_TRUE(IsTabChanged(h.tab));
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
