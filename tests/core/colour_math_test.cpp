#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "palette/colour_math.h"

namespace {

const ColorRef STANDARD[16] = {
    MakeColor(0, 0, 0),       MakeColor(128, 0, 0),   MakeColor(0, 128, 0),   MakeColor(128, 128, 0),
    MakeColor(0, 0, 128),     MakeColor(128, 0, 128), MakeColor(0, 128, 128), MakeColor(192, 192, 192),
    MakeColor(128, 128, 128), MakeColor(255, 0, 0),   MakeColor(0, 255, 0),   MakeColor(255, 255, 0),
    MakeColor(0, 0, 255),     MakeColor(255, 0, 255), MakeColor(0, 255, 255), MakeColor(255, 255, 255),
};

// A tab whose pixels use every entry in turn, with the mask bit on every
// third pixel.
ImageTab* PatternTab(int size, std::uint8_t colorCode, const ColorRef* palette) {
  auto* tab = new ImageTab;
  tab->width = tab->height = static_cast<std::uint8_t>(size);
  tab->colorCode = colorCode;
  const int count = PaletteSize(*tab);
  std::copy(palette, palette + count, tab->palette);
  for (int i = 0; i < size * size; ++i)
    CellAt(*tab, i / size, i % size) = static_cast<PixelCell>(i % count | (i % 3 == 0 ? CELL_MASK_BIT : 0));
  return tab;
}

void ExpectSamePicture(const ImageTab& before, const ImageTab& after) {
  for (int x = 0; x < before.width; ++x) {
    for (int y = 0; y < before.height; ++y) {
      const PixelCell old = CellAt(before, x, y), now = CellAt(after, x, y);
      ASSERT_EQ(after.palette[now & CELL_INDEX_BITS], before.palette[old & CELL_INDEX_BITS]) << x << "," << y;
      ASSERT_EQ(now & CELL_MASK_BIT, old & CELL_MASK_BIT) << x << "," << y;
    }
  }
}

}  // namespace

TEST(ColourConversion, ReferenceTable) {
  const struct { int r, g, b, greyHue, held, hue, s, v; } toHsv[] = {
      {255, 0, 0, 1, 0, 0, 255, 255},       {0, 255, 0, 1, 0, 120, 255, 255}, {0, 0, 255, 1, 0, 240, 255, 255},
      {255, 128, 0, 1, 0, 30, 255, 255},    {200, 100, 50, 1, 0, 19, 191, 200}, {10, 20, 30, 1, 0, 210, 169, 30},
      {128, 128, 128, 1, 200, 0, 0, 128},   {128, 128, 128, 0, 200, 200, 0, 128},
      {0, 0, 255, 0, 77, 240, 255, 255},
  };
  for (const auto& row : toHsv) {
    HsvColor hsv{row.held, 0, 0};
    RgbToHsv(MakeColor(row.r, row.g, row.b), hsv, row.greyHue);
    EXPECT_EQ(hsv.hue, row.hue) << row.r << "," << row.g << "," << row.b;
    EXPECT_EQ(hsv.saturation, row.s) << row.r << "," << row.g << "," << row.b;
    EXPECT_EQ(hsv.value, row.v) << row.r << "," << row.g << "," << row.b;
  }
  const struct { HsvColor hsv; ColorRef rgb; } toRgb[] = {
      {{0, 255, 255}, MakeColor(255, 0, 0)},    {{120, 255, 255}, MakeColor(0, 255, 0)},
      {{30, 128, 200}, MakeColor(200, 149, 99)}, {{359, 255, 255}, MakeColor(255, 0, 4)},
      {{300, 255, 128}, MakeColor(128, 0, 128)}, {{60, 0, 77}, MakeColor(77, 77, 77)},
      {{360, 255, 255}, MakeColor(255, 0, 255)}, {{0, 0, 0x1FF}, MakeColor(255, 255, 255)},
  };
  for (const auto& row : toRgb) EXPECT_EQ(HsvToRgb(row.hsv), row.rgb) << row.hsv.hue << "," << row.hsv.saturation;
}

TEST(ColourConversion, RangesHoldForAllColoursAndAbsurdInputs) {
  for (int c = 0; c < 1 << 24; c += 4099) {
    HsvColor hsv;
    RgbToHsv(static_cast<ColorRef>(c), hsv, 1);
    ASSERT_EQ(hsv.value, std::max({RedOf(c), GreenOf(c), BlueOf(c)})) << c;
    ASSERT_TRUE(hsv.hue >= 0 && hsv.hue < 360 && hsv.saturation >= 0 && hsv.saturation <= 255) << c;
  }
  // Out-of-range records wrap into bytes; the sanitizer build checks that
  // no conversion overflows.
  for (const HsvColor& hsv : {HsvColor{-1, 255, 255}, HsvColor{INT_MIN, INT_MAX, INT_MAX}, HsvColor{720, -40, 300}})
    EXPECT_EQ(HsvToRgb(hsv) & 0xFF000000u, 0u);
}

TEST(PaletteSort, ExchangeSortDecidesTies) {
  // Keys 2, 1, 2, 0: the two 2s end up swapped, unlike a stable sort.
  HsvEntry entries[4] = {{{2, 0, 0}, 0}, {{1, 0, 0}, 1}, {{2, 0, 0}, 2}, {{0, 0, 0}, 3}};
  ExchangeSort(entries, 4, KEY_HUE);
  const int expected[4] = {3, 1, 2, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(entries[i].index, expected[i]) << i;
}

TEST(PaletteSort, SixteenStandardColoursAndAllEqualColours) {
  HsvEntry entries[16];
  SortPaletteByHsv(16, entries, STANDARD);
  const int expected[16] = {0, 8, 7, 15, 1, 9, 3, 11, 2, 10, 6, 14, 4, 12, 5, 13};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(entries[i].index, expected[i]) << i;

  ColorRef same[16];
  std::fill(same, same + 16, MakeColor(10, 200, 30));
  SortPaletteByHsv(16, entries, same);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(entries[i].index, i);
  // Merging then keeps one entry and moves every pixel to it.
  ImageTab* tab = PatternTab(16, 16, same);
  OrganizePalette(*tab);
  EXPECT_EQ(tab->palette[0], MakeColor(10, 200, 30));
  for (int i = 1; i < 16; ++i) EXPECT_EQ(tab->palette[i], 0u) << i;
  for (int i = 0; i < 256; ++i) ASSERT_EQ(tab->cells[CellIndex(i / 16, i % 16)], i % 3 == 0 ? CELL_MASK_BIT : 0) << i;
  delete tab;
}

TEST(PaletteSort, OrganizeMergesRepeatsAndKeepsEveryPixel) {
  ColorRef palette[16];
  std::copy(STANDARD, STANDARD + 16, palette);
  palette[1] = MakeColor(255, 0, 0);
  palette[2] = MakeColor(0, 0, 0);
  palette[3] = MakeColor(255, 255, 255);
  ImageTab* tab = PatternTab(8, 16, palette);
  const ImageTab before = *tab;
  OrganizePalette(*tab);
  // Greys first by value; the second black and the second red are merged.
  const ColorRef expected[5] = {MakeColor(0, 0, 0), MakeColor(128, 128, 128), MakeColor(192, 192, 192),
                                MakeColor(255, 255, 255), MakeColor(255, 0, 0)};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(tab->palette[i], expected[i]) << i;
  EXPECT_EQ(tab->palette[13], 0u);
  ExpectSamePicture(before, *tab);
  // Both blacks now share one entry.
  EXPECT_EQ(CellAt(*tab, 0, 0) & CELL_INDEX_BITS, CellAt(*tab, 0, 2) & CELL_INDEX_BITS);
  delete tab;
}

TEST(PaletteSort, OrganizeWithoutRepeatsOnlyReorders) {
  ColorRef palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = MakeColor(i * 37 % 256, i * 101 % 256, 255 - i);
  ImageTab* tab = PatternTab(64, 0, palette);
  const ImageTab before = *tab;
  OrganizePalette(*tab);
  std::vector<ColorRef> now(tab->palette, tab->palette + 256);
  EXPECT_NE(now, std::vector<ColorRef>(palette, palette + 256));
  std::sort(now.begin(), now.end());
  std::sort(palette, palette + 256);
  EXPECT_EQ(now, std::vector<ColorRef>(palette, palette + 256));
  ExpectSamePicture(before, *tab);
  delete tab;
}

TEST(PaletteSort, MergeTreatsATopByteColourAsAColour) {
  // A palette from a damaged file may carry bits in the top byte; its
  // pixels must still point at their own colour.
  ColorRef palette[4] = {0xFFFFFFFFu, MakeColor(5, 5, 5), 0xFFFFFFFFu, MakeColor(5, 5, 5)};
  PixelCell cells[CELL_COUNT] = {0, 1, 0, 0, 0, 0, 0, 0};
  cells[CellIndex(1, 0)] = 2;
  cells[CellIndex(1, 1)] = 3;
  MergeDuplicateColors(palette, cells, 2, 2, 4);
  EXPECT_EQ(palette[0], 0xFFFFFFFFu);
  EXPECT_EQ(palette[1], MakeColor(5, 5, 5));
  EXPECT_EQ(cells[CellIndex(1, 0)], 0);
  EXPECT_EQ(cells[CellIndex(1, 1)], 1);
}

TEST(NearestPaletteIndex, ExactColourWinsThenSmallestDistanceThenLowestIndex) {
  const ColorRef entries[5] = {MakeColor(0, 0, 0), MakeColor(100, 100, 100), MakeColor(10, 0, 0),
                               MakeColor(100, 100, 100), MakeColor(0, 0, 10)};
  EXPECT_EQ(NearestPaletteIndex(entries, 5, MakeColor(100, 100, 100)), 1);
  EXPECT_EQ(NearestPaletteIndex(entries, 5, MakeColor(0, 0, 9)), 4);
  // (5, 0, 5) is equally far from entries 0, 2 and 4.
  EXPECT_EQ(NearestPaletteIndex(entries, 5, MakeColor(5, 0, 5)), 0);
  EXPECT_EQ(NearestPaletteIndex(entries, 2, MakeColor(0, 0, 10)), 0);
  EXPECT_EQ(NearestPaletteIndex(entries, 5, 0xFF000000u | MakeColor(10, 0, 0)), 2);
  EXPECT_EQ(NearestPaletteIndex(entries, 0, MakeColor(1, 2, 3)), 0);
}
