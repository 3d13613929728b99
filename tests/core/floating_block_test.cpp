// A floating block is placed only where it lies over the image, and lifting
// an area leaves transparent cells behind.

#include <gtest/gtest.h>

#include <memory>

#include "canvas/floating_block.h"

namespace {

std::unique_ptr<ImageTab> Tab(int width, int height, PixelCell fill) {
  auto tab = std::make_unique<ImageTab>();
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) CellAt(*tab, x, y) = fill;
  tab->selection = {0, 0, width - 1, height - 1};
  return tab;
}

TEST(FloatingBlock, OnlyTheCellsOverTheImageArePlaced) {
  struct Case {
    int left, top;
    CellRect area;  // the cells that get the block's value
    bool onImage;
  };
  // A 4 x 3 block over an 8 x 6 image.
  const Case cases[] = {
      {2, 1, {2, 1, 5, 3}, true},  {-2, 0, {0, 0, 1, 2}, true}, {6, 4, {6, 4, 7, 5}, true},
      {-3, -2, {0, 0, 0, 0}, true}, {8, 0, {}, false},          {0, 6, {}, false},
      {-4, 0, {}, false},
  };
  for (const Case& c : cases) {
    auto tab = Tab(8, 6, FRESH_CELL);
    auto block = std::make_unique<FloatingBlock>();
    block->active = true;
    block->width = 4;
    block->height = 3;
    block->left = c.left;
    block->top = c.top;
    for (int x = 0; x < 4; ++x)
      for (int y = 0; y < 3; ++y) block->cells[CellIndex(x, y)] = static_cast<PixelCell>(1 + x + 4 * y);
    CellRect area;
    EXPECT_EQ(BlockOnImage(*block, *tab, area), c.onImage) << c.left << "," << c.top;
    PlaceBlock(*block, *tab);
    for (int x = 0; x < 8; ++x)
      for (int y = 0; y < 6; ++y) {
        const bool inside = c.onImage && x >= c.area.left && x <= c.area.right && y >= c.area.top && y <= c.area.bottom;
        const PixelCell expected = inside ? static_cast<PixelCell>(1 + (x - c.left) + 4 * (y - c.top)) : FRESH_CELL;
        ASSERT_EQ(CellAt(*tab, x, y), expected) << c.left << "," << c.top << " cell " << x << "," << y;
        EXPECT_EQ(BlockCovers(*block, x, y), x >= c.left && x < c.left + 4 && y >= c.top && y < c.top + 3);
      }
  }
}

TEST(FloatingBlock, LiftingTakesTheCellsAndLeavesThemTransparent) {
  auto tab = Tab(8, 6, 0);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 6; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>(x * 6 + y);
  auto block = std::make_unique<FloatingBlock>();
  LiftArea(*tab, {2, 1, 4, 4}, *block);
  EXPECT_TRUE(block->active);
  EXPECT_EQ(block->width, 3);
  EXPECT_EQ(block->height, 4);
  EXPECT_EQ(block->left, 2);
  EXPECT_EQ(block->top, 1);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 6; ++y) {
      const bool lifted = x >= 2 && x <= 4 && y >= 1 && y <= 4;
      EXPECT_EQ(CellAt(*tab, x, y), lifted ? FRESH_CELL : static_cast<PixelCell>(x * 6 + y)) << x << "," << y;
      if (lifted) EXPECT_EQ(BlockCellAt(*block, x, y), static_cast<PixelCell>(x * 6 + y));
    }
  // Placed again where it was, the image is as before.
  PlaceBlock(*block, *tab);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 6; ++y) EXPECT_EQ(CellAt(*tab, x, y), static_cast<PixelCell>(x * 6 + y));
}

TEST(FloatingBlock, APasteGoesToTheSelectionOrTheFirstCellInView) {
  struct Case {
    bool selectionDrawn;
    CellRect selection;
    int firstX, firstY;
    int left, top;
  };
  const Case cases[] = {
      {true, {3, 5, 9, 7}, 0, 0, 3, 5},
      // A selection drawn backwards still gives its top-left.
      {true, {9, 7, 3, 5}, 20, 20, 3, 5},
      {false, {0, 0, 15, 15}, 4, 6, 4, 6},
      // A view scrolled past the image keeps the block on it.
      {false, {0, 0, 15, 15}, 40, -3, 15, 0},
  };
  for (const Case& c : cases) {
    auto tab = Tab(16, 16, FRESH_CELL);
    tab->selection = c.selection;
    int left = -1;
    int top = -1;
    PastePlace(*tab, c.selectionDrawn, c.firstX, c.firstY, left, top);
    EXPECT_EQ(left, c.left);
    EXPECT_EQ(top, c.top);
  }
}

}  // namespace
