#include <gtest/gtest.h>

#include <vector>

#include "clipboard/color_picture.h"
#include "clipboard/paste_mapping.h"
#include "palette/colour_reduction.h"

namespace {

constexpr ColorRef BLACK = 0x000000, WHITE = 0xFFFFFF, RED = 0x0000FF, GREEN = 0x00FF00, BLUE = 0xFF0000;

// A picture given row by row.
ColorPicture Picture(int width, int height, const std::vector<ColorRef>& colours) {
  ColorPicture picture = MakeColorPicture(width, height);
  RasterSurface surface = picture.Surface();
  for (int i = 0; i < width * height; ++i) SetSurfacePixel(surface, i % width, i / width, colours.at(i));
  return picture;
}

std::vector<ColorRef> Pixels(ColorPicture& picture) {
  std::vector<ColorRef> colours;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) colours.push_back(SurfacePixel(picture.Surface(), x, y));
  return colours;
}

ImageTab Tab(int width, int height, std::uint8_t colorCode, CellRect selection) {
  ImageTab tab{};
  tab.inUse = 1;
  tab.width = static_cast<std::uint8_t>(width);
  tab.height = static_cast<std::uint8_t>(height);
  tab.colorCode = colorCode;
  tab.selection = selection;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) CellAt(tab, x, y) = FRESH_CELL | 7;
  return tab;
}

}  // namespace

TEST(PasteStretch, RepeatsPixelsWhereThePictureGrows) {
  ColorPicture source = Picture(2, 1, {RED, BLUE});
  ColorPicture target = MakeColorPicture(4, 2);
  RasterSurface surface = target.Surface();
  ShrinkCopy(source.Surface(), 0, 0, 2, 1, surface, 4, 2);
  EXPECT_EQ(Pixels(target), (std::vector<ColorRef>{RED, RED, BLUE, BLUE, RED, RED, BLUE, BLUE}));
}

TEST(PasteStretch, CombinesShrunkPixelsByAndAndScalesEachAxisOnItsOwn) {
  // Three columns onto two: the first target column takes column 0, the
  // second combines columns 1 and 2. The two rows fall onto one.
  ColorPicture source = Picture(3, 2, {0x0F0F0F, 0xF0FF00, 0x3C3CFF,  //
                                       0xFFFFFF, 0xFFFFF0, 0xFF0FFF});
  ColorPicture target = MakeColorPicture(2, 1, WHITE);
  RasterSurface surface = target.Surface();
  ShrinkCopy(source.Surface(), 0, 0, 3, 2, surface, 2, 1);
  EXPECT_EQ(Pixels(target), (std::vector<ColorRef>{0x0F0F0F, 0xF0FF00 & 0x3C3CFF & 0xFFFFF0 & 0xFF0FFF}));
}

TEST(PasteStretch, ReadsOnlyTheSourceRectangleAndWritesOnlyTheTargetCorner) {
  ColorPicture source = Picture(4, 3, {BLACK, BLACK, BLACK, BLACK,  //
                                       BLACK, RED, GREEN, BLACK,    //
                                       BLACK, BLACK, BLACK, BLACK});
  ColorPicture target = MakeColorPicture(3, 2, BLUE);
  RasterSurface surface = target.Surface();
  ShrinkCopy(source.Surface(), 1, 1, 2, 1, surface, 2, 1);
  EXPECT_EQ(Pixels(target), (std::vector<ColorRef>{RED, GREEN, BLUE, BLUE, BLUE, BLUE}));
}

TEST(SelectionOnImage, KeepsTheRectangleInsideTheImage) {
  const auto same = [](const CellRect& a, const CellRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  EXPECT_TRUE(same(SelectionOnImage(Tab(16, 8, 16, {3, 4, 10, 6})), CellRect{3, 4, 10, 6}));
  EXPECT_TRUE(same(SelectionOnImage(Tab(16, 8, 16, {-3, 2, 40, 99})), CellRect{0, 2, 15, 7}));
  EXPECT_TRUE(same(SelectionOnImage(Tab(16, 8, 16, {9, 5, 2, 1})), CellRect{2, 1, 9, 5}));
}

TEST(MapPictureToPalette, GivesEachPaletteColourItsOwnIndexAtTheSelectionsSize) {
  ImageTab tab = Tab(8, 8, 16, {1, 1, 4, 2});
  for (int i = 0; i < 16; ++i) tab.palette[i] = 0x111111u * static_cast<ColorRef>(i);
  // Entry 9 repeats entry 3's colour: an equal colour takes the lower index.
  tab.palette[9] = tab.palette[3];
  ColorPicture picture = Picture(4, 2, {tab.palette[3], tab.palette[15], tab.palette[0], tab.palette[12],  //
                                        tab.palette[7], tab.palette[1], 0x121212, tab.palette[8]});
  std::vector<PixelCell> index(CELL_COUNT, 0xABCD);
  MapPictureToPalette(tab, picture.Surface(), tab.palette, index.data());
  const PixelCell expected[2][4] = {{3, 15, 0, 12}, {7, 1, 1, 8}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(index[CellIndex(x, y)], expected[y][x]) << x << "," << y;
  // Only the selection-sized corner is written.
  EXPECT_EQ(index[CellIndex(4, 0)], 0xABCD);
  EXPECT_EQ(index[CellIndex(0, 2)], 0xABCD);
}

TEST(MapPictureToPalette, UsesOnlyAsManyColoursAsTheTabHas) {
  ImageTab tab = Tab(4, 4, 2, {0, 0, 3, 3});
  ColorRef colours[256] = {BLACK, WHITE, RED};
  ColorPicture picture = MakeColorPicture(2, 2, RED);
  std::vector<PixelCell> index(CELL_COUNT, 0xABCD);
  MapPictureToPalette(tab, picture.Surface(), colours, index.data());
  // Red is nearer to black than to white; entry 2 does not take part.
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y) EXPECT_EQ(index[CellIndex(x, y)], 0) << x << "," << y;
}

TEST(StorePastedPicture, WritesOpaqueCellsIntoTheSelectionOnly) {
  ImageTab tab = Tab(6, 6, 16, {2, 1, 3, 4});
  std::vector<PixelCell> index(CELL_COUNT, 0);
  for (int x = 0; x < 64; ++x)
    for (int y = 0; y < 64; ++y) index[CellIndex(x, y)] = static_cast<PixelCell>(x * 4 + y);
  StorePastedPicture(tab, index.data());
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 6; ++y) {
      const bool inside = x >= 2 && x <= 3 && y >= 1 && y <= 4;
      const PixelCell expected = inside ? static_cast<PixelCell>((x - 2) * 4 + (y - 1)) : (FRESH_CELL | 7);
      EXPECT_EQ(CellAt(tab, x, y), expected) << x << "," << y;
    }
  EXPECT_EQ(tab.selection.left, 2);
  EXPECT_EQ(tab.selection.bottom, 4);
}
