#include "canvas/zoom.h"

#include <gtest/gtest.h>

TEST(FrameZoom, ABarThatNarrowsTheViewCanCallForTheOther) {
  // 24 + 64 * 9 = 600: the width fits only until the vertical bar takes 15.
  const ZoomFrame frame = FrameZoom(ViewZoom{9, 0, 0}, 600, 400, 15, 64, 64);
  EXPECT_TRUE(frame.verticalBar);
  EXPECT_TRUE(frame.horizontalBar);
  EXPECT_EQ(frame.viewWidth, 585);
  EXPECT_EQ(frame.viewHeight, 385);
  EXPECT_EQ(frame.maxScrollX, 15);
  EXPECT_EQ(frame.maxScrollY, 600 - 385);
  // Fitted, nothing scrolls even where the image overflows a tiny view.
  const ZoomFrame fitted = FrameZoom(ViewZoom{}, 30, 30, 15, 64, 64);
  EXPECT_EQ(fitted.cellSize, 1);
  EXPECT_FALSE(fitted.horizontalBar || fitted.verticalBar);
  EXPECT_EQ(fitted.maxScrollX, 0);
}

TEST(VisibleCells, TakesEveryCellThatReachesIntoTheView) {
  // Cell 3 at 10 pixels covers 46..56, its shared outline included.
  EXPECT_EQ(VisibleCells(56, 100, 10, 64).first, 3);
  EXPECT_EQ(VisibleCells(57, 100, 10, 64).first, 4);
  const CellSpan span = VisibleCells(0, 100, 10, 64);
  EXPECT_EQ(span.first, 0);
  // Cell 8 starts at pixel 96, inside a 100-pixel view.
  EXPECT_GE(span.end, 9);
  EXPECT_LE(span.end, 10);
  EXPECT_EQ(VisibleCells(5000, 100, 10, 64).end, 64);
}
