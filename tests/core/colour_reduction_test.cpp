#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "palette/colour_math.h"
#include "palette/colour_reduction.h"

namespace {

const ColorRef BLACK = MakeColor(0, 0, 0), WHITE = MakeColor(255, 255, 255), RED = MakeColor(255, 0, 0),
               GREEN = MakeColor(0, 255, 0), BLUE = MakeColor(0, 0, 255), YELLOW = MakeColor(255, 255, 0);

// A picture given row by row, with a stride wider than its width so that
// code mixing up the two shows.
struct Picture {
  std::vector<std::uint32_t> pixels;
  RasterSurface surface;
  Picture(int width, int height, std::initializer_list<ColorRef> colours)
      : pixels(static_cast<std::size_t>((width + 5) * height)) {
    surface = {pixels.data(), width, height, width + 5};
    auto next = colours.begin();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) SetSurfacePixel(surface, x, y, next == colours.end() ? BLACK : *next++);
  }
  ColorRef at(int x, int y) const { return SurfacePixel(surface, x, y); }
};

std::vector<ColorRef> Table(const ColorRef* table, int n) { return std::vector<ColorRef>(table, table + n); }

// A tab of the given size and colour code whose pixel (x, y) shows
// colourAt(x, y); each distinct colour gets one palette entry, the rest
// of the palette is grey.
template <typename ColourAt>
std::unique_ptr<ImageTab> PaintedTab(int width, int height, std::uint8_t colorCode, ColourAt colourAt) {
  auto tab = std::make_unique<ImageTab>();
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  tab->colorCode = colorCode;
  std::fill(tab->palette, tab->palette + 256, MakeColor(128, 128, 128));
  int used = 0;
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      const ColorRef colour = colourAt(x, y);
      const auto found = std::find(tab->palette, tab->palette + used, colour);
      const int index = static_cast<int>(found - tab->palette);
      if (index == used) {
        if (used == 256) {
          ADD_FAILURE() << "more than 256 colours";
          return tab;
        }
        tab->palette[used++] = colour;
      }
      CellAt(*tab, x, y) = static_cast<PixelCell>(index);
    }
  }
  return tab;
}

std::set<ColorRef> ColoursShown(const ImageTab& tab) {
  std::set<ColorRef> shown;
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) shown.insert(tab.palette[CellAt(tab, x, y) & CELL_INDEX_BITS]);
  return shown;
}

// 256 different colours, no two neighbours alike.
ColorRef Colourful(int x, int y) {
  const int k = (x * 5 + y * 3) % 256;
  return MakeColor(k, k * 7 % 256, 255 - k);
}

}  // namespace

TEST(CollectDistinctColors, BlackFirstThenColoursInRowOrderUntilTheCountIsFull) {
  const Picture picture(3, 2, {RED, BLACK, GREEN, GREEN, BLUE, RED});
  ColorRef table[8];
  std::fill(table, table + 8, 0xABCDEFu);
  EXPECT_TRUE(CollectDistinctColors(picture.surface, 3, 2, 8, table));
  EXPECT_EQ(Table(table, 5), (std::vector<ColorRef>{BLACK, RED, GREEN, BLUE, 0xABCDEFu}));
  // Exactly full is a success; one colour more fails with the table full.
  EXPECT_TRUE(CollectDistinctColors(picture.surface, 3, 2, 4, table));
  std::fill(table, table + 8, 0xABCDEFu);
  EXPECT_FALSE(CollectDistinctColors(picture.surface, 3, 2, 3, table));
  EXPECT_EQ(Table(table, 4), (std::vector<ColorRef>{BLACK, RED, GREEN, 0xABCDEFu}));
  // Only the top-left w x h pixels count.
  EXPECT_TRUE(CollectDistinctColors(picture.surface, 2, 1, 2, table));
  EXPECT_EQ(Table(table, 2), (std::vector<ColorRef>{BLACK, RED}));
}

TEST(ShrinkCopy, PixelsThatFallTogetherAreAndedAndAnEnlargementRepeats) {
  const Picture source(4, 2, {RED, YELLOW, WHITE, BLUE,  //
                              YELLOW, YELLOW, GREEN, WHITE});
  const ColorRef MARK = MakeColor(1, 2, 3);
  Picture dest(4, 2, {MARK, MARK, MARK, MARK, MARK, MARK, MARK, MARK});
  ShrinkCopy(source.surface, 0, 0, 4, 2, dest.surface, 2, 1);
  // Red & yellow & yellow & yellow; white & blue & green & white.
  EXPECT_EQ(dest.at(0, 0), RED);
  EXPECT_EQ(dest.at(1, 0), BLACK);
  // The rest of the destination is left alone.
  EXPECT_EQ(dest.at(2, 0), MARK);
  EXPECT_EQ(dest.at(0, 1), MARK);

  ShrinkCopy(source.surface, 0, 0, 4, 2, dest.surface, 4, 1);
  EXPECT_EQ(dest.at(0, 0), RED);
  EXPECT_EQ(dest.at(1, 0), YELLOW);
  EXPECT_EQ(dest.at(2, 0), GREEN);
  EXPECT_EQ(dest.at(3, 0), BLUE);

  // A rectangle inside the source, copied to twice its size.
  ShrinkCopy(source.surface, 2, 1, 2, 1, dest.surface, 4, 2);
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(dest.at(0, y), GREEN);
    EXPECT_EQ(dest.at(1, y), GREEN);
    EXPECT_EQ(dest.at(2, y), WHITE);
    EXPECT_EQ(dest.at(3, y), WHITE);
  }
  // Points beyond the source read as black, and the destination is never
  // written beyond its edges.
  ShrinkCopy(source.surface, 3, 0, 2, 1, dest.surface, 2, 1);
  EXPECT_EQ(dest.at(0, 0), BLUE);
  EXPECT_EQ(dest.at(1, 0), BLACK);
  ShrinkCopy(source.surface, 0, 0, 4, 2, dest.surface, 100, 100);
  EXPECT_EQ(dest.at(3, 1), RED);
}

TEST(FindReducedPalette, FewColoursFitAtFullSize) {
  auto tab = PaintedTab(8, 8, 0, [](int x, int y) { return MakeColor(20 * ((x + y) % 10) + 10, 50, 90); });
  const ReductionSource source = TakeReductionSource(*tab);
  ColorRef table[256] = {};
  FindReducedPalette(16, source.Picture(), 0, 0, 8, 8, 8, 8, table);
  // Row by row the colours first appear in the order 0, 1, ..., 9.
  std::vector<ColorRef> expected{BLACK};
  for (int i = 0; i < 10; ++i) expected.push_back(MakeColor(20 * i + 10, 50, 90));
  expected.push_back(0);
  EXPECT_EQ(Table(table, 12), expected);
}

TEST(FindReducedPalette, ShrinksUntilTheColoursFit) {
  // Columns alternate red and green, and red & green is black. Widths 6,
  // 5 and 4 keep single columns of red and green beside merged black ones;
  // at width 3 every pixel merges a red and a green column, so black alone
  // is left and fits. The second entry keeps the red that the failed try
  // at width 4 put there.
  auto tab = PaintedTab(6, 3, 0, [](int x, int) { return x % 2 == 0 ? RED : GREEN; });
  const ReductionSource source = TakeReductionSource(*tab);
  ColorRef table[256];
  std::fill(table, table + 256, 0x123456u);
  FindReducedPalette(2, source.Picture(), 0, 0, 6, 3, 6, 3, table);
  EXPECT_EQ(Table(table, 2), (std::vector<ColorRef>{BLACK, RED}));
  EXPECT_EQ(table[2], 0x123456u);

  // Count 3 fits at full size: black, red, green.
  FindReducedPalette(3, source.Picture(), 0, 0, 6, 3, 6, 3, table);
  EXPECT_EQ(Table(table, 3), (std::vector<ColorRef>{BLACK, RED, GREEN}));
}

TEST(FindReducedPalette, EveryCountEndsWithAtMostThatManyColours) {
  auto tab = PaintedTab(64, 64, 0, Colourful);
  const ReductionSource source = TakeReductionSource(*tab);
  // A count of 1 can never fit a coloured pixel beside black; the search
  // must still end, with black alone.
  for (int count : {1, 2, 3, 16, 200, 256}) {
    ColorRef table[256];
    std::fill(table, table + 256, 0x123456u);
    FindReducedPalette(count, source.Picture(), 0, 0, 64, 64, 64, 64, table);
    const int found = static_cast<int>(std::find(table, table + 256, 0x123456u) - table);
    EXPECT_TRUE(found >= 1 && found <= count) << count << ": " << found;
    EXPECT_EQ(table[0], BLACK) << count;
    EXPECT_TRUE(std::all_of(table + found, table + 256, [](ColorRef c) { return c == 0x123456u; })) << count;
  }
  // A count that allows no colour at all, or nothing to copy, leaves the
  // table alone.
  ColorRef table[4] = {7, 7, 7, 7};
  FindReducedPalette(0, source.Picture(), 0, 0, 64, 64, 64, 64, table);
  FindReducedPalette(4, source.Picture(), 0, 0, 0, 64, 64, 64, table);
  EXPECT_EQ(Table(table, 4), (std::vector<ColorRef>{7, 7, 7, 7}));
}

TEST(ReductionCount, OutOfRangeAndMissingNumbersGiveTheMostColours) {
  const struct {
    const char* text;
    int maxCount;
    int count;
  } cases[] = {{"8", 256, 8},    {"2", 16, 2},   {"16", 16, 16}, {"17", 16, 16}, {"300", 256, 256},
               {"1", 256, 256},  {"0", 16, 16},  {"", 16, 16},   {"4x", 16, 16}, {"-4", 256, 256},
               {"999", 256, 256}, {"007", 16, 7}};
  for (const auto& row : cases) EXPECT_EQ(ReductionCountOfText(row.text, row.maxCount), row.count) << row.text;
  ImageTab tab{};
  tab.colorCode = 0;
  EXPECT_EQ(MaxReductionCount(tab), 256);
  tab.colorCode = 16;
  EXPECT_EQ(MaxReductionCount(tab), 16);
}

TEST(ReduceTabColors, TenColoursIntoSixteenKeepEveryPixelAndAddBlack) {
  auto tab = PaintedTab(8, 8, 0, [](int x, int y) { return MakeColor(250 - 20 * ((x + 2 * y) % 10), 40, 200); });
  for (int i = 0; i < 64; i += 5) tab->cells[CellIndex(i / 8, i % 8)] |= CELL_MASK_BIT;
  const ImageTab before = *tab;
  const ReductionSource source = TakeReductionSource(*tab);
  ReduceTabColors(*tab, source, 16);
  for (int x = 0; x < 8; ++x) {
    for (int y = 0; y < 8; ++y) {
      const PixelCell old = CellAt(before, x, y), now = CellAt(*tab, x, y);
      ASSERT_EQ(tab->palette[now & CELL_INDEX_BITS], before.palette[old & CELL_INDEX_BITS]) << x << "," << y;
      ASSERT_EQ(now & CELL_MASK_BIT, old & CELL_MASK_BIT) << x << "," << y;
    }
  }
  // Black sorts first, the ten colours follow by hue, the rest of the
  // palette is black.
  EXPECT_EQ(tab->palette[0], BLACK);
  std::set<ColorRef> colours;
  int lastBucket = 0;
  for (int i = 1; i < 11; ++i) {
    HsvColor hsv;
    RgbToHsv(tab->palette[i], hsv, 1);
    EXPECT_GE(hsv.hue / HUE_BUCKET, lastBucket) << i;
    lastBucket = hsv.hue / HUE_BUCKET;
    colours.insert(tab->palette[i]);
  }
  EXPECT_EQ(colours, ColoursShown(before));
  for (int i = 11; i < 256; ++i) ASSERT_EQ(tab->palette[i], 0u) << i;
}

TEST(ReduceTabColors, TwoColoursLeaveBlackAndOneOtherAndKeepMasks) {
  auto tab = PaintedTab(16, 16, 16, [](int x, int y) { return x < 8 ? (y < 8 ? WHITE : YELLOW) : (y < 8 ? BLUE : GREEN); });
  for (int x = 0; x < 16; ++x) CellAt(*tab, x, x) |= CELL_MASK_BIT;
  const ReductionSource source = TakeReductionSource(*tab);
  ReduceTabColors(*tab, source, 2);
  const std::set<ColorRef> shown = ColoursShown(*tab);
  EXPECT_LE(shown.size(), 2u);
  EXPECT_EQ(tab->palette[0], BLACK);
  EXPECT_TRUE(std::all_of(tab->palette + 2, tab->palette + 256, [](ColorRef c) { return c == 0; }));
  for (int x = 0; x < 16; ++x) {
    for (int y = 0; y < 16; ++y) {
      const PixelCell cell = CellAt(*tab, x, y);
      ASSERT_EQ((cell & CELL_MASK_BIT) != 0, x == y) << x << "," << y;
      ASSERT_LT(cell & CELL_INDEX_BITS, 2) << x << "," << y;
    }
  }
}

TEST(ReduceTabColors, EachRunStartsFromTheOpeningImage) {
  auto tab = PaintedTab(32, 32, 0, Colourful);
  const ImageTab opening = *tab;
  const ReductionSource source = TakeReductionSource(*tab);
  ReduceTabColors(*tab, source, 8);
  EXPECT_LE(ColoursShown(*tab).size(), 8u);
  ReduceTabColors(*tab, source, 4);
  auto once = std::make_unique<ImageTab>(opening);
  ReduceTabColors(*once, TakeReductionSource(*once), 4);
  EXPECT_TRUE(std::equal(tab->palette, tab->palette + 256, once->palette));
  EXPECT_TRUE(std::equal(tab->cells, tab->cells + CELL_COUNT, once->cells));
  EXPECT_LE(ColoursShown(*tab).size(), 4u);
  // Restoring gives back the opening image exactly.
  RestoreReductionSource(*tab, source);
  EXPECT_TRUE(std::equal(tab->palette, tab->palette + 256, opening.palette));
  EXPECT_TRUE(std::equal(tab->cells, tab->cells + CELL_COUNT, opening.cells));
}

TEST(ReduceTabColors, AnImageWithoutBlackGetsBlack) {
  auto tab = PaintedTab(4, 4, 16, [](int x, int) { return x < 2 ? RED : WHITE; });
  ReduceTabColors(*tab, TakeReductionSource(*tab), 16);
  EXPECT_EQ(tab->palette[0], BLACK);
  EXPECT_EQ(ColoursShown(*tab), (std::set<ColorRef>{RED, WHITE}));
}

namespace {

// The shrink search as the reduction describes it, without shortcuts: each
// try shrinks the whole source afresh and lists its colours row by row into
// the one table, a column lost before a row.
void ReferenceSearch(int count, const RasterSurface& source, int w, int h, ColorRef* table) {
  std::vector<std::uint32_t> work(static_cast<std::size_t>(w) * h);
  RasterSurface picture{work.data(), w, h, w};
  const auto fits = [&](int tw, int th) {
    ShrinkCopy(source, 0, 0, source.width, source.height, picture, tw, th);
    table[0] = BLACK;
    int n = 1;
    for (int y = 0; y < th; ++y)
      for (int x = 0; x < tw; ++x) {
        const ColorRef colour = SurfacePixel(picture, x, y);
        if (std::find(table, table + n, colour) != table + n) continue;
        if (n == count) return false;
        table[n++] = colour;
      }
    return true;
  };
  while (true) {
    if (fits(w, h)) return;
    if (w > 1) --w;
    if (fits(w, h)) return;
    if (w == 1 && h == 1) return;
    if (h > 1) --h;
  }
}

}  // namespace

TEST(FindReducedPalette, ASquarePictureIsReadRowByRow) {
  const Picture square(2, 2, {RED, GREEN, BLUE, WHITE});
  ColorRef table[8] = {};
  FindReducedPalette(8, square.surface, 0, 0, 2, 2, 2, 2, table);
  EXPECT_EQ(Table(table, 5), (std::vector<ColorRef>{BLACK, RED, GREEN, BLUE, WHITE}));
}

// Small pictures of a few colours whose ANDs make more, square and not, at
// every count that makes the search shrink: the table must be exactly the
// one of the search done step by step, entries left by failed tries
// included.
TEST(FindReducedPalette, EqualsTheStepByStepSearchOnSmallPictures) {
  const ColorRef inks[] = {RED, GREEN, BLUE, WHITE, YELLOW, MakeColor(0, 255, 255), MakeColor(128, 64, 255)};
  std::uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>(seed >> 16);
  };
  for (int w = 1; w <= 7; ++w)
    for (int h = 1; h <= 7; ++h) {
      std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h);
      RasterSurface source{pixels.data(), w, h, w};
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetSurfacePixel(source, x, y, inks[next() % 7]);
      for (int count = 2; count <= 6; ++count) {
        ColorRef table[COLOR_TABLE_SIZE], expected[COLOR_TABLE_SIZE];
        std::fill(table, table + COLOR_TABLE_SIZE, 0x123456u);
        std::fill(expected, expected + COLOR_TABLE_SIZE, 0x123456u);
        FindReducedPalette(count, source, 0, 0, w, h, w, h, table);
        ReferenceSearch(count, source, w, h, expected);
        ASSERT_EQ(Table(table, COLOR_TABLE_SIZE), Table(expected, COLOR_TABLE_SIZE))
            << w << "x" << h << " count " << count;
      }
    }
}

TEST(ReduceTabColors, AColourLeftByAFailedTryStaysAChoice) {
  // Red and green columns: the search ends at 3 x 1 with black alone, but
  // the try at 4 x 1 left red in the second entry. So red stays red, and
  // green, nearer to black than to red, becomes black.
  auto tab = PaintedTab(6, 3, 16, [](int x, int) { return x % 2 == 0 ? RED : GREEN; });
  ReduceTabColors(*tab, TakeReductionSource(*tab), 2);
  EXPECT_EQ(Table(tab->palette, 3), (std::vector<ColorRef>{BLACK, RED, 0}));
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 3; ++y) ASSERT_EQ(CellAt(*tab, x, y), x % 2 == 0 ? 1 : 0) << x << "," << y;
}

TEST(ReduceTabColors, ThePaletteIsOrderedByHueBucketsOfTwentyTwoDegrees) {
  // Hue 23 with saturation 100 and hue 21 with saturation 255: in buckets
  // of 22 degrees the hue decides; in one bucket the lower saturation
  // would come first.
  const ColorRef hue23 = MakeColor(255, 194, 155), hue21 = MakeColor(255, 90, 0);
  auto tab = PaintedTab(2, 1, 16, [&](int x, int) { return x == 0 ? hue23 : hue21; });
  ReduceTabColors(*tab, TakeReductionSource(*tab), 16);
  EXPECT_EQ(Table(tab->palette, 4), (std::vector<ColorRef>{BLACK, hue21, hue23, 0}));
  EXPECT_EQ(CellAt(*tab, 0, 0), 2);
  EXPECT_EQ(CellAt(*tab, 1, 0), 1);
}
