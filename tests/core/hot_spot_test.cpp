// The hot spot follows its pixel through shifts, flips and rotation, and
// undo brings it back with the pixels.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "canvas/hot_spot.h"
#include "canvas/transform_algorithms.h"
#include "model/undo_history.h"
#include "tests/support/icon_samples.h"

namespace {

ImageTab TabWithHotSpot(int x, int y, CellRect selection) {
  ImageTab tab = samples::PatternTab(16, 12, 16, 5);
  tab.hotSpotX = static_cast<std::uint8_t>(x);
  tab.hotSpotY = static_cast<std::uint8_t>(y);
  tab.selection = selection;
  return tab;
}

TEST(HotSpot, ShiftsAndFlipsCarryItWithItsPixel) {
  const CellRect whole{0, 0, 15, 11};
  const CellRect part{2, 3, 9, 8};
  struct Row {
    const char* name;
    int transform;
    CellRect selection;
    int x, y;
    int expectedX, expectedY;
  } rows[] = {
      {"left", SHIFT_LEFT, whole, 5, 4, 4, 4},
      {"left wraps", SHIFT_LEFT, whole, 0, 4, 15, 4},
      {"right", SHIFT_RIGHT, whole, 5, 4, 6, 4},
      {"right wraps in the selection", SHIFT_RIGHT, part, 9, 4, 2, 4},
      {"up", SHIFT_UP, whole, 5, 4, 5, 3},
      {"up wraps", SHIFT_UP, part, 5, 3, 5, 8},
      {"down", SHIFT_DOWN, whole, 5, 11, 5, 0},
      {"flip left-right", FLIP_LEFT_RIGHT, whole, 3, 7, 12, 7},
      {"flip in the selection", FLIP_LEFT_RIGHT, part, 3, 7, 8, 7},
      {"flip top-bottom", FLIP_TOP_BOTTOM, whole, 3, 2, 3, 9},
      {"outside the selection it stays", FLIP_LEFT_RIGHT, part, 12, 7, 12, 7},
      {"below the selection it stays", SHIFT_DOWN, part, 4, 10, 4, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ImageTab tab = TabWithHotSpot(row.x, row.y, row.selection);
    const PixelCell pixel = CellAt(tab, row.x, row.y);
    ASSERT_TRUE(TransformSelection(tab, row.transform));
    EXPECT_EQ(tab.hotSpotX, row.expectedX);
    EXPECT_EQ(tab.hotSpotY, row.expectedY);
    // The pixel it marked is where it is now.
    EXPECT_EQ(CellAt(tab, tab.hotSpotX, tab.hotSpotY), pixel);
  }
}

TEST(HotSpot, RotationsCarryItWithItsPixel) {
  const CellRect square{2, 1, 8, 7};
  const CellRect wide{1, 2, 9, 6};
  const CellRect tall{3, 0, 7, 10};
  const CellRect large{0, 0, 15, 11};
  struct Row {
    CellRect selection;
    int turns;
    int angle;
    int x, y;
  } rows[] = {
      {square, 1, 0, 3, 2}, {square, 2, 0, 7, 6}, {square, 3, 0, 5, 1}, {wide, 1, 0, 4, 3},
      {wide, 3, 0, 6, 5},   {tall, 1, 0, 4, 5},   {tall, 3, 0, 6, 5},   {tall, 2, 0, 4, 9},
      {large, 0, 30, 11, 3}, {large, 0, 200, 4, 8}, {large, 1, 45, 9, 2}, {square, 0, 300, 3, 6},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.turns << " turns and " << row.angle << " degrees at " << row.x << ","
                                    << row.y);
    ImageTab tab = TabWithHotSpot(row.x, row.y, row.selection);
    // Every cell its own value, so that the pixel is known by its value.
    for (int x = 0; x < tab.width; ++x)
      for (int y = 0; y < tab.height; ++y) CellAt(tab, x, y) = static_cast<PixelCell>(x * 16 + y);
    const PixelCell pixel = CellAt(tab, row.x, row.y);
    StartRotateWork(rotateWork, tab);
    TurnSourceCells(rotateWork, tab, row.turns);
    rotateWork.angle = row.angle;
    RotateByAngle(rotateWork);
    ApplyRotateResult(rotateWork, tab);
    MoveHotSpotWithRotation(tab, row.turns, row.angle);
    // Where the rotation kept the pixel, the hot spot is on it; a free angle
    // may drop a pixel, and the hot spot still moves.
    bool kept = false;
    for (int x = row.selection.left; x <= row.selection.right; ++x)
      for (int y = row.selection.top; y <= row.selection.bottom; ++y) kept = kept || CellAt(tab, x, y) == pixel;
    if (kept || row.angle == 0) EXPECT_EQ(CellAt(tab, tab.hotSpotX, tab.hotSpotY), pixel);
    EXPECT_FALSE(tab.hotSpotX == row.x && tab.hotSpotY == row.y);
  }
}

TEST(HotSpot, PlacingKeepsItInsideTheImage) {
  ImageTab tab = TabWithHotSpot(1, 1, {0, 0, 15, 11});
  EXPECT_TRUE(PlaceHotSpot(tab, 15, 11));
  EXPECT_FALSE(PlaceHotSpot(tab, 15, 11));
  EXPECT_FALSE(PlaceHotSpot(tab, 16, 0));
  EXPECT_FALSE(PlaceHotSpot(tab, 0, 12));
  EXPECT_FALSE(PlaceHotSpot(tab, -1, 0));
  EXPECT_EQ(tab.hotSpotX, 15);
  EXPECT_EQ(tab.hotSpotY, 11);
}

TEST(HotSpot, UndoAndRedoBringItBack) {
  ImageTab tab = TabWithHotSpot(2, 3, {0, 0, 15, 11});
  tab.inUse = 1;
  ASSERT_TRUE(PushUndoSnapshot(tab));
  ASSERT_TRUE(PlaceHotSpot(tab, 10, 4));
  ASSERT_TRUE(PushUndoSnapshot(tab));
  ASSERT_TRUE(StepUndoSnapshot(tab));
  EXPECT_EQ(tab.hotSpotX, 2);
  EXPECT_EQ(tab.hotSpotY, 3);
  ASSERT_TRUE(StepRedoSnapshot(tab));
  EXPECT_EQ(tab.hotSpotX, 10);
  EXPECT_EQ(tab.hotSpotY, 4);
  FreeUndoHistory(tab);
}

}  // namespace
