#include <gtest/gtest.h>

#include "palette/palette_layout.h"

TEST(PaletteIndexAt, EdgePointsOf256Colours) {
  EXPECT_EQ(PaletteIndexAt(4, 4, 0), 0);
  EXPECT_EQ(PaletteIndexAt(0, 0, 0), 0);
  EXPECT_EQ(PaletteIndexAt(3, 3, 0), 0);
  // The shared outline column belongs to the next cell by the division.
  EXPECT_EQ(PaletteIndexAt(14, 4, 0), 0);
  EXPECT_EQ(PaletteIndexAt(15, 4, 0), 1);
  EXPECT_EQ(PaletteIndexAt(4, 15, 0), 16);
  // (180 - 4) / 11 = 16 is limited to the last column and row.
  EXPECT_EQ(PaletteIndexAt(180, 180, 0), 255);
  EXPECT_EQ(PaletteIndexAt(181, 4, 0), 15);
  EXPECT_EQ(PaletteIndexAt(170, 170, 0), 255);
  EXPECT_EQ(PaletteIndexAt(168, 168, 0), 238);
}

TEST(PaletteIndexAt, EdgePointsOf16Colours) {
  EXPECT_EQ(PaletteIndexAt(92, 48, 16), 6);
  EXPECT_EQ(PaletteIndexAt(4, 4, 16), 0);
  EXPECT_EQ(PaletteIndexAt(47, 47, 16), 0);
  EXPECT_EQ(PaletteIndexAt(48, 47, 16), 1);
  EXPECT_EQ(PaletteIndexAt(180, 180, 16), 15);
  EXPECT_EQ(PaletteIndexAt(181, 0, 16), 3);
  EXPECT_EQ(PaletteIndexAt(0, 180, 16), 12);
}

TEST(PaletteIndexAt, EdgePointsOf2Colours) {
  EXPECT_EQ(PaletteIndexAt(0, 0, 2), 0);
  EXPECT_EQ(PaletteIndexAt(91, 180, 2), 0);
  EXPECT_EQ(PaletteIndexAt(92, 0, 2), 1);
  EXPECT_EQ(PaletteIndexAt(181, 100, 2), 1);
  // y does not matter for the two bars.
  EXPECT_EQ(PaletteIndexAt(92, 5000, 2), 1);
}

TEST(PaletteIndexAt, OutOfWindowPointsStillGiveAValidEntry) {
  // Negative coordinates arrive as large 16-bit values.
  for (std::uint8_t code : {std::uint8_t{0}, std::uint8_t{16}, std::uint8_t{2}}) {
    const int count = code == 0 ? 256 : code;
    for (int x : {-1, -5000, 0, 65535, 70000}) {
      for (int y : {-1, 0, 40000}) {
        const int index = PaletteIndexAt(x, y, code);
        EXPECT_GE(index, 0) << x << "," << y;
        EXPECT_LT(index, count) << x << "," << y;
      }
    }
  }
}

TEST(PaletteCellRect, CellsTileTheAreaAndMapBackToTheirEntry) {
  const CellRect first256 = PaletteCellRect(0, 0);
  EXPECT_EQ(first256.left, 4);
  EXPECT_EQ(first256.top, 4);
  EXPECT_EQ(first256.right, 16);
  EXPECT_EQ(first256.bottom, 16);
  const CellRect last16 = PaletteCellRect(15, 16);
  EXPECT_EQ(last16.left, 136);
  EXPECT_EQ(last16.top, 136);
  EXPECT_EQ(last16.right, 181);
  EXPECT_EQ(last16.bottom, 181);
  const CellRect second2 = PaletteCellRect(1, 2);
  EXPECT_EQ(second2.left, 92);
  EXPECT_EQ(second2.top, 4);
  EXPECT_EQ(second2.right, 181);
  EXPECT_EQ(second2.bottom, 181);
  for (std::uint8_t code : {std::uint8_t{0}, std::uint8_t{16}, std::uint8_t{2}}) {
    const int count = code == 0 ? 256 : code;
    for (int i = 0; i < count; ++i) {
      const CellRect cell = PaletteCellRect(i, code);
      // The cell's inner corners lie on the cell itself.
      EXPECT_EQ(PaletteIndexAt(cell.left + 1, cell.top + 1, code), i) << int(code) << ":" << i;
      EXPECT_EQ(PaletteIndexAt(cell.right - 2, cell.bottom - 2, code), i) << int(code) << ":" << i;
      EXPECT_LE(cell.right, 181);
      EXPECT_LE(cell.bottom, 181);
    }
  }
}
