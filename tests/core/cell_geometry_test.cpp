#include <gtest/gtest.h>

#include "canvas/cell_geometry.h"

namespace {

ImageTab TabOfSize(int width, int height, int cellSize) {
  ImageTab tab{};
  tab.width = static_cast<std::uint8_t>(width);
  tab.height = static_cast<std::uint8_t>(height);
  tab.cellSize = static_cast<std::uint8_t>(cellSize);
  return tab;
}

}  // namespace

TEST(CellSize, TakesTheSmallerQuotientOfTheClientArea) {
  // 32 x 32 in 600 x 400: min((400 - 24) / 32, (600 - 24) / 32) = min(11, 18).
  EXPECT_EQ(ComputeCellSize(600, 400, 32, 32), 11);
  EXPECT_EQ(ComputeCellSize(400, 600, 32, 32), 11);
  EXPECT_EQ(ComputeCellSize(1920, 1080, 64, 64), 16);
  EXPECT_EQ(ComputeCellSize(184, 184, 16, 16), 10);
  // Width and height are used each with their own side.
  EXPECT_EQ(ComputeCellSize(600, 400, 64, 8), 9);
  EXPECT_EQ(ComputeCellSize(600, 400, 8, 64), 5);
}

TEST(CellSize, StaysWithinOneAndTwoHundredFiftyFive) {
  // A tiny image in a huge view would give 1896; the size is stored in eight
  // bits and must not wrap.
  EXPECT_EQ(ComputeCellSize(1920, 1080, 1, 1), 255);
  // A view smaller than the margins plus one cell would give 0 or less, and
  // the mouse mapping divides by the size.
  EXPECT_EQ(ComputeCellSize(30, 30, 64, 64), 1);
  EXPECT_EQ(ComputeCellSize(10, 10, 1, 1), 1);
  EXPECT_EQ(ComputeCellSize(0, 0, 64, 64), 1);
}

TEST(CellSquare, NeighboursShareTheirOutline) {
  EXPECT_EQ(CellSquare(0, 0, 11), (PixelRect{16, 16, 28, 28}));
  EXPECT_EQ(CellSquare(1, 0, 11).left, 27);
  EXPECT_EQ(CellSquare(0, 1, 11).top, 27);
  EXPECT_EQ(CellSquare(3, 2, 5), (PixelRect{31, 26, 37, 32}));
}

TEST(ToolCellSquare, IsOnePixelSmallerWithoutGrid) {
  EXPECT_EQ(ToolCellSquare(2, 1, 10, 1), (PixelRect{37, 27, 47, 37}));
  EXPECT_EQ(ToolCellSquare(2, 1, 10, 0), (PixelRect{37, 27, 46, 36}));
}

TEST(SelectionFrame, LiesJustOutsideTheSelectedCells) {
  EXPECT_EQ(SelectionFrameRect(CellRect{2, 3, 5, 4}, 10), (PixelRect{35, 45, 78, 68}));
  // The default selection of a 32 x 32 image at size 11 frames the whole
  // picture: its outer grid lines run at 16 and 368.
  EXPECT_EQ(SelectionFrameRect(CellRect{0, 0, 31, 31}, 11), (PixelRect{15, 15, 370, 370}));
}

TEST(CellFromPoint, MapsClientPointsToCells) {
  const ImageTab tab = TabOfSize(32, 32, 11);
  int column = -1;
  int row = -1;
  EXPECT_FALSE(CellFromPoint(15, 100, tab, column, row));
  EXPECT_FALSE(CellFromPoint(100, 15, tab, column, row));
  ASSERT_TRUE(CellFromPoint(16, 16, tab, column, row));
  EXPECT_EQ(column, 0);
  EXPECT_EQ(row, 0);
  ASSERT_TRUE(CellFromPoint(16 + 11 * 31 + 10, 16 + 11 * 5, tab, column, row));
  EXPECT_EQ(column, 31);
  EXPECT_EQ(row, 5);
  // One past the last cell lies outside.
  EXPECT_FALSE(CellFromPoint(16 + 11 * 32, 20, tab, column, row));
  EXPECT_FALSE(CellFromPoint(20, 16 + 11 * 32, tab, column, row));
  // Negative points are large unsigned 16-bit values and lie outside too.
  EXPECT_FALSE(CellFromPoint(-1, 20, tab, column, row));
}

TEST(CellFromPoint, AgreesWithCellValueAtPoint) {
  ImageTab tab = TabOfSize(5, 3, 7);
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 3; ++y) CellAt(tab, x, y) = static_cast<PixelCell>(x * 10 + y);
  for (int px = 0; px < 16 + 7 * 6; ++px) {
    for (int py = 0; py < 16 + 7 * 4; ++py) {
      int column = 0;
      int row = 0;
      const bool inside = CellFromPoint(px, py, tab, column, row);
      const PixelCell value = CellValueAtPoint(px, py, &tab);
      if (inside) {
        EXPECT_EQ(value, column * 10 + row) << px << "," << py;
      } else {
        EXPECT_EQ(value, NO_CELL) << px << "," << py;
      }
    }
  }
}

TEST(NormalisedRect, PutsTheSmallerCoordinatesFirst) {
  const CellRect r = NormalisedRect(7, 2, 3, 5);
  EXPECT_EQ(r.left, 3);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 7);
  EXPECT_EQ(r.bottom, 5);
  const CellRect single = NormalisedRect(4, 4, 4, 4);
  EXPECT_EQ(single.left, 4);
  EXPECT_EQ(single.right, 4);
}
