// The look of masked cells: which cells are transparent and which inverted,
// the checkerboard, and the inverted mark that never looks like the
// background at any size.

#include <gtest/gtest.h>

#include <vector>

#include "canvas/cell_look.h"

TEST(CellLook, TheMaskAndTheColourNameTheKind) {
  ImageTab tab{};
  tab.colorCode = 16;
  tab.palette[0] = 0;
  tab.palette[1] = 0xFFFFFF;
  tab.palette[2] = 0x000001;
  tab.palette[3] = 0xFF000000u;  // a top byte from a palette file is no colour
  const std::vector<std::pair<PixelCell, CellKind>> cases = {
      {0, CellKind::Opaque},           {CELL_MASK_BIT | 0, CellKind::Transparent},
      {1, CellKind::Opaque},           {CELL_MASK_BIT | 1, CellKind::Inverted},
      {CELL_MASK_BIT | 2, CellKind::Inverted}, {CELL_MASK_BIT | 3, CellKind::Transparent}};
  for (const auto& [cell, kind] : cases) EXPECT_EQ(KindOfCell(tab, cell), kind) << cell;
}

TEST(CellLook, TheCheckerboardAlternatesAcrossTheOrigin) {
  EXPECT_EQ(CheckerColor(0, 0), CHECKER_LIGHT);
  EXPECT_EQ(CheckerColor(CHECKER_SQUARE - 1, 0), CHECKER_LIGHT);
  EXPECT_EQ(CheckerColor(CHECKER_SQUARE, 0), CHECKER_DARK);
  EXPECT_EQ(CheckerColor(-1, 0), CHECKER_DARK);
  EXPECT_EQ(CheckerColor(-CHECKER_SQUARE, -1), CHECKER_LIGHT);
  EXPECT_EQ(CheckerColor(-CHECKER_SQUARE - 1, 0), CHECKER_LIGHT);
  const CellBackground board{0x123456, true, 3, 5};
  EXPECT_EQ(board.At(3, 5), CHECKER_LIGHT);
  EXPECT_EQ(board.At(3 + CHECKER_SQUARE, 5), CHECKER_DARK);
  EXPECT_EQ((CellBackground{0x123456, false, 3, 5}.At(3 + CHECKER_SQUARE, 5)), 0x123456u);
}

TEST(CellLook, TheInvertedMarkDiffersFromTheBackgroundAtEverySize) {
  const CellBackground backgrounds[] = {{0xFFFFFF, false, 0, 0}, {0xA56E3A, false, 0, 0}, {0xFFFFFF, true, 0, 0}};
  for (const CellBackground& background : backgrounds)
    for (ColorRef colour : {0xFFFFFFu, 0x000001u, 0x0000FFu, 0xCCCCCCu})
      for (int side = 0; side <= 12; ++side) {
        SCOPED_TRACE(std::to_string(colour) + " side " + std::to_string(side));
        std::vector<std::uint32_t> pixels(16 * 16, 0);
        RasterSurface surface{pixels.data(), 16, 16, 16};
        const PixelRect rect{2, 2, 2 + side, 2 + side};
        FillBackground(surface, {0, 0, 16, 16}, background);
        const std::vector<std::uint32_t> before = pixels;
        DrawInvertedMark(surface, rect, colour, background);
        int changed = 0;
        for (std::size_t i = 0; i < pixels.size(); ++i)
          if (pixels[i] != before[i]) ++changed;
        EXPECT_GT(changed, 0);
        // Nothing outside the rectangle (its top-left pixel when empty).
        const PixelRect area = side == 0 ? PixelRect{2, 2, 3, 3} : rect;
        for (int y = 0; y < 16; ++y)
          for (int x = 0; x < 16; ++x)
            if (x < area.left || x >= area.right || y < area.top || y >= area.bottom) {
              ASSERT_EQ(pixels[y * 16 + x], before[y * 16 + x]) << x << "," << y;
            }
        // The lower-right corner shows the screen XOR the colour.
        const int cx = area.right - 1, cy = area.bottom - 1;
        EXPECT_EQ(ColorOfPixel(pixels[cy * 16 + cx]), (background.At(cx, cy) ^ colour) & 0xFFFFFFu);
      }
}

TEST(CellLook, ATrueColourCellIsMixedByItsAlphaOverTheBackground) {
  // 0xAARRGGBB in, ColorRef (red low) out: a half-transparent red over a
  // plain colour and over both squares of the checkerboard.
  const CellBackground board{0, true, 0, 0};
  struct Case {
    std::uint32_t argb;
    CellBackground background;
    ColorRef onFirst;   // at (0, 0): the plain colour or the light square
    ColorRef onSecond;  // at (CHECKER_SQUARE, 0): the same or the dark square
  };
  const std::vector<Case> cases = {
      {0x80FF0000u, {0x00FF00, false, 0, 0}, 0x007F80, 0x007F80},
      {0x80FF0000u, board, 0x7F7FFF, 0x6666E6},
      {0xFF123456u, board, 0x563412, 0x563412},
      {0x00000000u, board, CHECKER_LIGHT, CHECKER_DARK},
      {0x01FFFFFFu, {0x000000, false, 0, 0}, 0x010101, 0x010101},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argb);
    std::vector<std::uint32_t> pixels(8 * 2, 0);
    RasterSurface surface{pixels.data(), 8, 2, 8};
    FillCompositeRect(surface, {0, 0, 8, 2}, c.argb, c.background);
    EXPECT_EQ(ColorOfPixel(pixels[0]), c.onFirst);
    EXPECT_EQ(ColorOfPixel(pixels[CHECKER_SQUARE]), c.onSecond);
    EXPECT_EQ(CompositeOver(c.argb, c.background.At(0, 0)), c.onFirst);
  }
  EXPECT_EQ(ArgbOfColor(ColorOfArgb(0x80123456u), 0x80), 0x80123456u);
}
