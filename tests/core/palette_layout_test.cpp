#include <gtest/gtest.h>

#include "palette/palette_layout.h"

TEST(PaletteLayout, IndexAtEdgePointsOfAllThreeLayouts) {
  const struct { int x, y, code, index; } points[] = {
      // 256: the shared outline column belongs to the next cell, and
      // (180 - 4) / 11 = 16 is limited to the last column and row.
      {4, 4, 0, 0}, {0, 0, 0, 0}, {14, 4, 0, 0}, {15, 4, 0, 1}, {4, 15, 0, 16}, {180, 180, 0, 255},
      {168, 168, 0, 238},
      // 16 colours.
      {92, 48, 16, 6}, {47, 47, 16, 0}, {48, 47, 16, 1}, {180, 180, 16, 15}, {0, 180, 16, 12},
      // 2 colours: y does not matter.
      {91, 180, 2, 0}, {92, 0, 2, 1}, {181, 5000, 2, 1},
      // Negative points arrive as large 16-bit values and stay in range.
      {-1, -1, 0, 255}, {-5000, 3, 16, 3}, {65540, 0, 2, 0},
  };
  for (const auto& p : points)
    EXPECT_EQ(PaletteIndexAt(p.x, p.y, static_cast<std::uint8_t>(p.code)), p.index) << p.x << "," << p.y << " " << p.code;
}

TEST(PaletteLayout, EveryCellMapsBackToItsEntry) {
  for (std::uint8_t code : {std::uint8_t{0}, std::uint8_t{16}, std::uint8_t{2}}) {
    const int count = code == 0 ? 256 : code;
    for (int i = 0; i < count; ++i) {
      const CellRect cell = PaletteCellRect(i, code);
      ASSERT_EQ(PaletteIndexAt(cell.left + 1, cell.top + 1, code), i) << int(code);
      ASSERT_EQ(PaletteIndexAt(cell.right - 2, cell.bottom - 2, code), i) << int(code);
    }
    // All layouts end at 181.
    EXPECT_EQ(PaletteCellRect(count - 1, code).right, 181);
    EXPECT_EQ(PaletteCellRect(count - 1, code).bottom, 181);
  }
}
