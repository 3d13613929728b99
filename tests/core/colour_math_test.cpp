#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "palette/colour_math.h"

namespace {

HsvColor ToHsv(int r, int g, int b, int greyHue = 1, int heldHue = 0) {
  HsvColor hsv;
  hsv.hue = heldHue;
  RgbToHsv(MakeColor(r, g, b), hsv, greyHue);
  return hsv;
}

void ExpectHsv(const HsvColor& hsv, int hue, int saturation, int value) {
  EXPECT_EQ(hsv.hue, hue);
  EXPECT_EQ(hsv.saturation, saturation);
  EXPECT_EQ(hsv.value, value);
}

// A tab of the given size whose pixel (x, y) uses entry (x + y) mod count,
// with the mask bit on every third pixel.
ImageTab* MakePatternTab(int width, int height, std::uint8_t colorCode) {
  auto* tab = new ImageTab;
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  tab->colorCode = colorCode;
  const int count = PaletteSize(*tab);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      CellAt(*tab, x, y) = static_cast<PixelCell>((x + y) % count | ((x * height + y) % 3 == 0 ? CELL_MASK_BIT : 0));
  return tab;
}

const ColorRef sixteenColours[16] = {
    MakeColor(0, 0, 0),       MakeColor(128, 0, 0),   MakeColor(0, 128, 0),   MakeColor(128, 128, 0),
    MakeColor(0, 0, 128),     MakeColor(128, 0, 128), MakeColor(0, 128, 128), MakeColor(192, 192, 192),
    MakeColor(128, 128, 128), MakeColor(255, 0, 0),   MakeColor(0, 255, 0),   MakeColor(255, 255, 0),
    MakeColor(0, 0, 255),     MakeColor(255, 0, 255), MakeColor(0, 255, 255), MakeColor(255, 255, 255),
};

}  // namespace

TEST(RgbToHsv, ConvertsTheReferenceColours) {
  ExpectHsv(ToHsv(255, 0, 0), 0, 255, 255);
  ExpectHsv(ToHsv(0, 255, 0), 120, 255, 255);
  ExpectHsv(ToHsv(0, 0, 255), 240, 255, 255);
  ExpectHsv(ToHsv(255, 128, 0), 30, 255, 255);
  ExpectHsv(ToHsv(200, 100, 50), 19, 191, 200);
  ExpectHsv(ToHsv(10, 20, 30), 210, 169, 30);
}

TEST(RgbToHsv, GreyTakesHueZeroOrKeepsTheHeldHue) {
  ExpectHsv(ToHsv(128, 128, 128, 1, 200), 0, 0, 128);
  ExpectHsv(ToHsv(128, 128, 128, 0, 200), 200, 0, 128);
  // Black and white are greys too.
  ExpectHsv(ToHsv(0, 0, 0, 0, 77), 77, 0, 0);
  ExpectHsv(ToHsv(255, 255, 255, 0, 77), 77, 0, 255);
  // A colour that is not grey gets its own hue whatever the flag says.
  ExpectHsv(ToHsv(0, 0, 255, 0, 77), 240, 255, 255);
}

TEST(RgbToHsv, ValueIsTheLargestChannelAndHueStaysBelow360) {
  for (int r = 0; r < 256; r += 3) {
    for (int g = 0; g < 256; g += 5) {
      for (int b = 0; b < 256; b += 7) {
        const HsvColor hsv = ToHsv(r, g, b);
        ASSERT_EQ(hsv.value, std::max({r, g, b})) << r << "," << g << "," << b;
        ASSERT_GE(hsv.hue, 0) << r << "," << g << "," << b;
        ASSERT_LT(hsv.hue, 360) << r << "," << g << "," << b;
        ASSERT_GE(hsv.saturation, 0);
        ASSERT_LE(hsv.saturation, 255);
      }
    }
  }
  // Colours just below red on the hue circle are where h + 360 could round up.
  for (int b = 1; b < 256; ++b) ASSERT_LT(ToHsv(255, 0, b).hue, 360) << b;
}

TEST(HsvToRgb, ConvertsTheReferenceValues) {
  EXPECT_EQ(HsvToRgb({0, 255, 255}), MakeColor(255, 0, 0));
  EXPECT_EQ(HsvToRgb({120, 255, 255}), MakeColor(0, 255, 0));
  EXPECT_EQ(HsvToRgb({30, 128, 200}), MakeColor(200, 149, 99));
  EXPECT_EQ(HsvToRgb({359, 255, 255}), MakeColor(255, 0, 4));
  EXPECT_EQ(HsvToRgb({300, 255, 128}), MakeColor(128, 0, 128));
  EXPECT_EQ(HsvToRgb({60, 0, 77}), MakeColor(77, 77, 77));
  // Hue 360 is sector 6, which falls into the last row of the table.
  EXPECT_EQ(HsvToRgb({360, 255, 255}), MakeColor(255, 0, 255));
}

TEST(HsvToRgb, AbsurdValuesWrapIntoBytesWithoutFaults) {
  // Saturation 0 takes only the low byte of value.
  EXPECT_EQ(HsvToRgb({0, 0, 0x1FF}), MakeColor(255, 255, 255));
  // Nothing here may overflow a conversion (the sanitizer build checks) and
  // the top byte of the result stays clear.
  const HsvColor extremes[] = {
      {-1, 255, 255}, {INT_MIN, INT_MAX, INT_MAX}, {INT_MAX, 999, INT_MAX}, {720, -40, 300}, {5, INT_MIN, INT_MIN},
  };
  for (const HsvColor& hsv : extremes) EXPECT_EQ(HsvToRgb(hsv) & 0xFF000000u, 0u) << hsv.hue;
}

TEST(ExchangeSort, OrdersTiesAsTheExchangesLeaveThem) {
  // Keys 2, 1, 2, 0: the two 2s end up swapped, unlike a stable sort.
  HsvEntry entries[4];
  const int hues[4] = {2, 1, 2, 0};
  for (int i = 0; i < 4; ++i) entries[i] = {{hues[i], 0, 0}, i};
  ExchangeSort(entries, 4, KEY_HUE);
  const int expected[4] = {3, 1, 2, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(entries[i].index, expected[i]) << i;

  // Sorting by one key leaves the others alone.
  HsvEntry byValue[3] = {{{9, 1, 30}, 0}, {{8, 2, 10}, 1}, {{7, 3, 20}, 2}};
  ExchangeSort(byValue, 3, KEY_VALUE);
  EXPECT_EQ(byValue[0].index, 1);
  EXPECT_EQ(byValue[1].index, 2);
  EXPECT_EQ(byValue[2].index, 0);
  EXPECT_EQ(byValue[0].color.hue, 8);
}

TEST(SortPaletteByHsv, OrdersTheSixteenStandardColours) {
  HsvEntry entries[16];
  SortPaletteByHsv(16, entries, sixteenColours);
  const int expected[16] = {0, 8, 7, 15, 1, 9, 3, 11, 2, 10, 6, 14, 4, 12, 5, 13};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(entries[i].index, expected[i]) << "position " << i;
}

TEST(SortPaletteByHsv, EqualColoursKeepTheirOrder) {
  ColorRef palette[16];
  for (ColorRef& colour : palette) colour = MakeColor(10, 200, 30);
  HsvEntry entries[16];
  SortPaletteByHsv(16, entries, palette);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(entries[i].index, i);
}

TEST(ReorderPaletteByHsv, PixelsKeepTheirColoursAndMaskBits) {
  ImageTab* tab = MakePatternTab(7, 5, 16);
  for (int i = 0; i < 16; ++i) tab->palette[i] = sixteenColours[i];
  const ImageTab before = *tab;
  ReorderPaletteByHsv(*tab, 16);
  EXPECT_EQ(tab->palette[1], MakeColor(128, 128, 128));
  EXPECT_EQ(tab->palette[15], MakeColor(255, 0, 255));
  for (int x = 0; x < 7; ++x) {
    for (int y = 0; y < 5; ++y) {
      const PixelCell old = CellAt(before, x, y);
      const PixelCell now = CellAt(*tab, x, y);
      EXPECT_EQ(tab->palette[now & CELL_INDEX_BITS], before.palette[old & CELL_INDEX_BITS]) << x << "," << y;
      EXPECT_EQ(now & CELL_MASK_BIT, old & CELL_MASK_BIT) << x << "," << y;
    }
  }
  // Cells outside the image are not part of it and stay as they were.
  EXPECT_EQ(CellAt(*tab, 7, 0), CellAt(before, 7, 0));
  delete tab;
}

TEST(MergeDuplicateColors, AllEqualPaletteKeepsOneEntry) {
  ImageTab* tab = MakePatternTab(16, 16, 16);
  for (int i = 0; i < 16; ++i) tab->palette[i] = MakeColor(1, 2, 3);
  MergeDuplicateColors(tab->palette, tab->cells, tab->width, tab->height, 16);
  EXPECT_EQ(tab->palette[0], MakeColor(1, 2, 3));
  for (int i = 1; i < 16; ++i) EXPECT_EQ(tab->palette[i], 0u) << i;
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 16; ++y) {
      const bool masked = (x * 16 + y) % 3 == 0;
      EXPECT_EQ(CellAt(*tab, x, y), masked ? CELL_MASK_BIT : 0) << x << "," << y;
    }
  }
  delete tab;
}

TEST(MergeDuplicateColors, KeepsFirstOccurrencesInOrder) {
  ImageTab* tab = MakePatternTab(4, 4, 16);
  const ColorRef a = MakeColor(1, 0, 0), b = MakeColor(2, 0, 0), c = MakeColor(3, 0, 0);
  const ColorRef palette[16] = {a, b, a, c, b, c, a, a, a, a, a, a, a, a, a, a};
  std::copy(palette, palette + 16, tab->palette);
  const ImageTab before = *tab;
  MergeDuplicateColors(tab->palette, tab->cells, tab->width, tab->height, 16);
  EXPECT_EQ(tab->palette[0], a);
  EXPECT_EQ(tab->palette[1], b);
  EXPECT_EQ(tab->palette[2], c);
  for (int i = 3; i < 16; ++i) EXPECT_EQ(tab->palette[i], 0u) << i;
  for (int x = 0; x < 4; ++x) {
    for (int y = 0; y < 4; ++y) {
      const PixelCell old = CellAt(before, x, y);
      const PixelCell now = CellAt(*tab, x, y);
      EXPECT_LT(now & CELL_INDEX_BITS, 3);
      EXPECT_EQ(tab->palette[now & CELL_INDEX_BITS], palette[old & CELL_INDEX_BITS]) << x << "," << y;
      EXPECT_EQ(now & CELL_MASK_BIT, old & CELL_MASK_BIT) << x << "," << y;
    }
  }
  delete tab;
}

TEST(MergeDuplicateColors, AColourWithItsTopByteSetIsStillAColour) {
  // A palette read from a damaged file may carry bits in the top byte; its
  // pixels must still point at their own colour afterwards.
  ColorRef palette[4] = {0xFFFFFFFFu, MakeColor(5, 5, 5), 0xFFFFFFFFu, MakeColor(5, 5, 5)};
  PixelCell cells[CELL_COUNT] = {};
  cells[CellIndex(0, 0)] = 0;
  cells[CellIndex(0, 1)] = 1;
  cells[CellIndex(1, 0)] = 2;
  cells[CellIndex(1, 1)] = 3;
  MergeDuplicateColors(palette, cells, 2, 2, 4);
  EXPECT_EQ(palette[0], 0xFFFFFFFFu);
  EXPECT_EQ(palette[1], MakeColor(5, 5, 5));
  EXPECT_EQ(palette[2], 0u);
  EXPECT_EQ(cells[CellIndex(0, 0)], 0);
  EXPECT_EQ(cells[CellIndex(0, 1)], 1);
  EXPECT_EQ(cells[CellIndex(1, 0)], 0);
  EXPECT_EQ(cells[CellIndex(1, 1)], 1);
}

TEST(OrganizePalette, SortsGreysFirstAndMergesTheSecondBlack) {
  ImageTab* tab = MakePatternTab(8, 8, 16);
  const ColorRef palette[16] = {
      MakeColor(0, 0, 0),     MakeColor(255, 0, 0),   MakeColor(0, 0, 0),       MakeColor(255, 255, 255),
      MakeColor(0, 0, 255),   MakeColor(0, 255, 0),   MakeColor(128, 128, 128), MakeColor(255, 255, 0),
      MakeColor(10, 20, 30),  MakeColor(200, 100, 50), MakeColor(1, 1, 2),      MakeColor(0, 128, 0),
      MakeColor(64, 0, 64),   MakeColor(0, 64, 64),   MakeColor(90, 90, 91),    MakeColor(250, 0, 10),
  };
  std::copy(palette, palette + 16, tab->palette);
  const ImageTab before = *tab;
  OrganizePalette(*tab);
  EXPECT_EQ(tab->palette[0], MakeColor(0, 0, 0));
  EXPECT_EQ(tab->palette[1], MakeColor(128, 128, 128));
  EXPECT_EQ(tab->palette[2], MakeColor(255, 255, 255));
  // Then the reds' bucket, by saturation: (200, 100, 50) before pure red.
  EXPECT_EQ(tab->palette[3], MakeColor(200, 100, 50));
  EXPECT_EQ(tab->palette[4], MakeColor(255, 0, 0));
  // Fifteen distinct colours: the last entry is the black filler.
  EXPECT_EQ(tab->palette[15], 0u);
  for (int i = 1; i < 15; ++i) EXPECT_NE(tab->palette[i], 0u) << i;
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      const PixelCell old = CellAt(before, x, y);
      const PixelCell now = CellAt(*tab, x, y);
      EXPECT_EQ(tab->palette[now & CELL_INDEX_BITS], palette[old & CELL_INDEX_BITS]) << x << "," << y;
      EXPECT_EQ(now & CELL_MASK_BIT, old & CELL_MASK_BIT);
      // Both blacks now share entry 0.
      if ((old & CELL_INDEX_BITS) == 0 || (old & CELL_INDEX_BITS) == 2) {
        EXPECT_EQ(now & CELL_INDEX_BITS, 0);
      }
    }
  }
  delete tab;
}

TEST(OrganizePalette, WithoutRepeatsOnlyReorders) {
  ImageTab* tab = MakePatternTab(64, 64, 0);
  for (int i = 0; i < 256; ++i) tab->palette[i] = MakeColor(i * 37 % 256, i * 101 % 256, 255 - i);
  const ImageTab before = *tab;
  OrganizePalette(*tab);
  std::vector<ColorRef> oldColours(before.palette, before.palette + 256);
  std::vector<ColorRef> newColours(tab->palette, tab->palette + 256);
  std::sort(oldColours.begin(), oldColours.end());
  std::sort(newColours.begin(), newColours.end());
  EXPECT_EQ(oldColours, newColours);
  EXPECT_NE(std::vector<ColorRef>(before.palette, before.palette + 256),
            std::vector<ColorRef>(tab->palette, tab->palette + 256));
  for (int x = 0; x < 64; ++x)
    for (int y = 0; y < 64; ++y)
      ASSERT_EQ(tab->palette[CellAt(*tab, x, y) & CELL_INDEX_BITS],
                before.palette[CellAt(before, x, y) & CELL_INDEX_BITS])
          << x << "," << y;
  delete tab;
}

TEST(NearestPaletteIndex, ExactColourWinsThenSmallestDistanceThenLowestIndex) {
  const ColorRef entries[5] = {MakeColor(0, 0, 0), MakeColor(100, 100, 100), MakeColor(10, 0, 0),
                               MakeColor(100, 100, 100), MakeColor(0, 0, 10)};
  EXPECT_EQ(NearestPaletteIndex(entries, 5, MakeColor(100, 100, 100)), 1);
  EXPECT_EQ(NearestPaletteIndex(entries, 5, MakeColor(0, 0, 9)), 4);
  EXPECT_EQ(NearestPaletteIndex(entries, 5, MakeColor(90, 95, 100)), 1);
  // (5, 0, 5) is 50 away from entries 0, 2 and 4: the first one wins.
  EXPECT_EQ(NearestPaletteIndex(entries, 5, MakeColor(5, 0, 5)), 0);
  // Only the first n entries count.
  EXPECT_EQ(NearestPaletteIndex(entries, 2, MakeColor(0, 0, 10)), 0);
  // The top byte of a colour is not part of it.
  EXPECT_EQ(NearestPaletteIndex(entries, 5, 0xFF000000u | MakeColor(10, 0, 0)), 2);
  EXPECT_EQ(NearestPaletteIndex(entries, 0, MakeColor(1, 2, 3)), 0);
}
