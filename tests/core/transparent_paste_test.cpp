#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

#include "clipboard/color_picture.h"
#include "clipboard/transparent_paste.h"
#include "palette/colour_math.h"

namespace {

constexpr ColorRef BLACK = 0x000000, WHITE = 0xFFFFFF, RED = 0x0000FF, GREEN = 0x00FF00, BLUE = 0xFF0000,
                   YELLOW = 0x00FFFF, GREY = 0x808080;

std::unique_ptr<ImageTab> Tab(int width, int height, std::uint8_t colorCode) {
  auto tab = std::make_unique<ImageTab>();
  tab->inUse = 1;
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  tab->colorCode = colorCode;
  tab->selection = {0, 0, width - 1, height - 1};
  return tab;
}

// The image as the preview would show it with a black background.
ColorPicture Shown(const ImageTab& tab) {
  ColorPicture picture = MakeColorPicture(tab.width, tab.height);
  RasterSurface surface = picture.Surface();
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) SetSurfacePixel(surface, x, y, tab.palette[CellAt(tab, x, y) & 0xFF]);
  return picture;
}

// A picture to paste at (left, top), size width x height, whose pixel
// (x, y) has colour number numberOf(x, y) among the given colours.
template <typename NumberOf>
std::unique_ptr<PastePicture> Paste(int left, int top, int width, int height, const std::vector<ColorRef>& colours,
                                    NumberOf numberOf) {
  auto paste = std::make_unique<PastePicture>();
  std::copy(colours.begin(), colours.end(), paste->palette);
  paste->left = left;
  paste->top = top;
  paste->width = width;
  paste->height = height;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) paste->indexPicture[CellIndex(x, y)] = static_cast<PixelCell>(numberOf(x, y));
  return paste;
}

ColorRef ShownColour(const ImageTab& tab, int x, int y) { return tab.palette[CellAt(tab, x, y) & 0xFF]; }

}  // namespace

TEST(OrderPicturePalette, SortsLikeATabAndEveryPixelKeepsItsColour) {
  ColorRef palette[256] = {WHITE, RED, BLACK, RED, BLUE, GREEN, GREY, YELLOW};
  PixelCell index[CELL_COUNT] = {};
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 3; ++y) index[CellIndex(x, y)] = static_cast<PixelCell>((x * 3 + y) % 8);
  index[CellIndex(5, 0)] = 7;
  std::vector<ColorRef> before;
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 3; ++y) before.push_back(palette[index[CellIndex(x, y)]]);

  OrderPicturePalette(palette, index, 5, 3, 16);

  // The same order a tab's palette gets from organizing.
  auto tab = Tab(5, 3, 16);
  const ColorRef original[8] = {WHITE, RED, BLACK, RED, BLUE, GREEN, GREY, YELLOW};
  std::copy(original, original + 8, tab->palette);
  OrganizePalette(*tab);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(palette[i], tab->palette[i]) << i;
  // Red appears once.
  EXPECT_EQ(std::count(palette, palette + 16, RED), 1);
  std::vector<ColorRef> after;
  for (int x = 0; x < 5; ++x)
    for (int y = 0; y < 3; ++y) after.push_back(palette[index[CellIndex(x, y)]]);
  EXPECT_EQ(after, before);
  // Outside the picture's corner nothing is renumbered.
  EXPECT_EQ(index[CellIndex(5, 0)], 7);
}

TEST(ClickColorCell, TogglesOneCellOrWithShiftTheRunTowardsTheLastClicked) {
  PastePicture paste;
  int last = -1;
  // Shift without an earlier click toggles the cell alone.
  EXPECT_TRUE(ClickColorCell(paste, 16, 3, true, last));
  EXPECT_EQ(last, 3);
  EXPECT_TRUE(ClickColorCell(paste, 16, 7, true, last));
  std::vector<int> flagged;
  for (int i = 0; i < 256; ++i)
    if (paste.flags[i] == TRANSPARENT_FLAG) flagged.push_back(i);
  EXPECT_EQ(flagged, (std::vector<int>{3, 4, 5, 6, 7}));
  // Downwards from 7 to 5: 5 and 6 toggle back, 7 stays.
  EXPECT_TRUE(ClickColorCell(paste, 16, 5, true, last));
  flagged.clear();
  for (int i = 0; i < 256; ++i)
    if (paste.flags[i] == TRANSPARENT_FLAG) flagged.push_back(i);
  EXPECT_EQ(flagged, (std::vector<int>{3, 4, 7}));
  // A plain click on a flagged cell clears it; Shift on the last clicked
  // cell toggles that cell alone.
  EXPECT_TRUE(ClickColorCell(paste, 16, 7, false, last));
  EXPECT_EQ(paste.flags[7], 0);
  EXPECT_TRUE(ClickColorCell(paste, 16, 7, true, last));
  EXPECT_EQ(paste.flags[7], TRANSPARENT_FLAG);
  // Cells at or beyond the number of colours do nothing.
  EXPECT_FALSE(ClickColorCell(paste, 16, 16, false, last));
  EXPECT_FALSE(ClickColorCell(paste, 256, 256, false, last));
  EXPECT_EQ(last, 7);
  EXPECT_EQ(paste.flags[16], 0);
}

TEST(ApplyTransparentPaste, NearestAndNumberModesWriteTheUnmarkedPixelsOnly) {
  for (int mode : {MODE_NEAREST_COLORS, MODE_TRANSPARENCY_ONLY}) {
    auto tab = Tab(6, 6, 16);
    for (int i = 0; i < 16; ++i) tab->palette[i] = MakeColor(i * 17, 255 - i * 17, 0);
    for (int x = 0; x < 6; ++x)
      for (int y = 0; y < 6; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>(9 | (y % 2 ? CELL_MASK_BIT : 0));
    // Colour 1 (marked) in column 0, colour 2 elsewhere; the picture
    // covers (1, 1) to (4, 3).
    auto paste = Paste(1, 1, 4, 3, {BLACK, MakeColor(3 * 17, 255 - 3 * 17, 0), MakeColor(5 * 17 + 2, 255 - 85, 0)},
                       [](int x, int) { return x == 0 ? 1 : 2; });
    paste->flags[1] = TRANSPARENT_FLAG;
    ColorPicture shown = Shown(*tab);
    ApplyTransparentPaste(*tab, mode, *paste, shown.Surface());
    for (int x = 0; x < 6; ++x)
      for (int y = 0; y < 6; ++y) {
        const bool written = x >= 2 && x <= 4 && y >= 1 && y <= 3;
        const PixelCell old = static_cast<PixelCell>(9 | (y % 2 ? CELL_MASK_BIT : 0));
        const PixelCell expected = !written ? old : mode == MODE_NEAREST_COLORS ? 5 : 2;
        EXPECT_EQ(CellAt(*tab, x, y), expected) << mode << ": " << x << "," << y;
      }
    EXPECT_EQ(tab->palette[5], MakeColor(85, 170, 0));
  }
}

TEST(ApplyTransparentPaste, TakingInAFullSetOfColoursMakesThemThePalette) {
  auto tab = Tab(4, 4, 2);
  const ColorRef reddish = MakeColor(200, 50, 50), bluish = MakeColor(30, 30, 220);
  tab->palette[0] = bluish;
  tab->palette[1] = reddish;
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>((x + y) % 2 | (x == 3 ? CELL_MASK_BIT : 0));
  // Blue and red fill both entries; the picture covers the left half.
  auto paste = Paste(0, 0, 2, 4, {BLUE, RED}, [](int x, int) { return x; });
  ColorPicture shown = Shown(*tab);
  ApplyTransparentPaste(*tab, MODE_TAKE_COLORS, *paste, shown.Surface());
  // Organized: red's hue comes first.
  EXPECT_EQ(tab->palette[0], RED);
  EXPECT_EQ(tab->palette[1], BLUE);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(CellAt(*tab, 0, y), 1) << y;
    EXPECT_EQ(CellAt(*tab, 1, y), 0) << y;
    // The rest of the image moves to the nearest new colour and keeps its
    // mask.
    for (int x = 2; x < 4; ++x) {
      const PixelCell mask = x == 3 ? CELL_MASK_BIT : 0;
      EXPECT_EQ(CellAt(*tab, x, y), ((x + y) % 2 ? 0 : 1) | mask) << x << "," << y;
    }
  }
}

TEST(ApplyTransparentPaste, TakingInFewColoursTopsThePaletteUpFromTheImage) {
  auto tab = Tab(8, 8, 16);
  // The image uses 20 colours; entries 0..15 of the palette are its first
  // 16, which the cells use.
  for (int i = 0; i < 16; ++i) tab->palette[i] = MakeColor(40 + i * 10, 200 - i * 5, 90);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>((x + 8 * y) % 16);
  // Three colours, black among them; yellow is marked and the picture
  // covers the top-left 3 x 2 cells.
  auto paste = Paste(0, 0, 3, 2, {BLACK, RED, BLUE, YELLOW}, [](int x, int y) { return y == 1 && x == 2 ? 3 : x; });
  paste->flags[3] = TRANSPARENT_FLAG;
  const PixelCell underYellow = CellAt(*tab, 2, 1);
  const ColorRef underYellowColour = ShownColour(*tab, 2, 1);
  ColorPicture shown = Shown(*tab);
  ApplyTransparentPaste(*tab, MODE_TAKE_COLORS, *paste, shown.Surface());

  const std::set<ColorRef> palette(tab->palette, tab->palette + 16);
  for (ColorRef kept : {BLACK, RED, BLUE}) EXPECT_EQ(palette.count(kept), 1u) << kept;
  EXPECT_EQ(palette.count(YELLOW), 0u);
  // Up to 13 of the image's colours fill the rest.
  int fromImage = 0;
  for (int i = 0; i < 16; ++i)
    if (tab->palette[i] != BLACK && tab->palette[i] != RED && tab->palette[i] != BLUE) {
      ++fromImage;
      EXPECT_EQ(BlueOf(tab->palette[i]), 90) << i;
    }
  EXPECT_GE(fromImage, 1);
  EXPECT_LE(fromImage, 13);
  // The palette is in the order organizing gives.
  auto ordered = Tab(8, 8, 16);
  std::copy(tab->palette, tab->palette + 256, ordered->palette);
  OrganizePalette(*ordered);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(tab->palette[i], ordered->palette[i]) << i;

  EXPECT_EQ(ShownColour(*tab, 0, 0), BLACK);
  EXPECT_EQ(ShownColour(*tab, 1, 0), RED);
  EXPECT_EQ(ShownColour(*tab, 2, 0), BLUE);
  // Under the marked colour the image shows through, moved to the nearest
  // colour of the new palette like the rest of it.
  EXPECT_EQ(CellAt(*tab, 2, 1) & CELL_MASK_BIT, underYellow & CELL_MASK_BIT);
  EXPECT_EQ(ShownColour(*tab, 2, 1), tab->palette[NearestPaletteIndex(tab->palette, 16, underYellowColour)]);
}

TEST(ApplyTransparentPaste, APictureOneColourShortOfThePaletteLeavesRoomForBlackAlone) {
  // Fourteen colours and black: one entry is left, which only black fits.
  auto tab = Tab(16, 1, 16);
  for (int i = 0; i < 16; ++i) tab->palette[i] = MakeColor(10 + i, 100, 200);
  for (int x = 0; x < 16; ++x) CellAt(*tab, x, 0) = static_cast<PixelCell>(x);
  std::vector<ColorRef> colours{BLACK};
  for (int i = 0; i < 14; ++i) colours.push_back(MakeColor(200, 10 + i * 15, 0));
  auto paste = Paste(0, 0, 15, 1, colours, [](int x, int) { return x; });
  ColorPicture shown = Shown(*tab);
  ApplyTransparentPaste(*tab, MODE_TAKE_COLORS, *paste, shown.Surface());
  for (int x = 0; x < 15; ++x) EXPECT_EQ(ShownColour(*tab, x, 0), colours[x]) << x;
  const std::set<ColorRef> palette(tab->palette, tab->palette + 16);
  EXPECT_EQ(palette, std::set<ColorRef>(colours.begin(), colours.end()));
}

TEST(FindPictureColor, GivesTheFirstEqualEntry) {
  PastePicture paste;
  paste.palette[0] = RED;
  paste.palette[4] = BLUE;
  paste.palette[9] = BLUE;
  EXPECT_EQ(FindPictureColor(paste, BLUE), 4);
  EXPECT_EQ(FindPictureColor(paste, BLACK), 1);
  EXPECT_EQ(FindPictureColor(paste, GREEN), -1);
}

TEST(PreparePastePicture, NumbersThePicturesOwnColoursInPaletteOrder) {
  auto tab = Tab(8, 8, 16);
  tab->selection = {2, 3, 5, 4};
  // 4 x 2 pixels of red, blue and white at the selection's own size.
  const ColorRef colours[2][4] = {{RED, BLUE, WHITE, RED}, {WHITE, WHITE, BLUE, RED}};
  ColorPicture picture = MakeColorPicture(4, 2);
  RasterSurface surface = picture.Surface();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) SetSurfacePixel(surface, x, y, colours[y][x]);
  auto paste = std::make_unique<PastePicture>();
  paste->flags[5] = TRANSPARENT_FLAG;
  PreparePastePicture(*tab, surface, *paste);

  EXPECT_EQ(paste->left, 2);
  EXPECT_EQ(paste->top, 3);
  EXPECT_EQ(paste->width, 4);
  EXPECT_EQ(paste->height, 2);
  EXPECT_EQ(paste->flags[5], 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(paste->palette[paste->indexPicture[CellIndex(x, y)]], colours[y][x]) << x << "," << y;
  // Black and the three colours once each, in the order organizing gives;
  // the rest is black.
  auto ordered = Tab(1, 1, 16);
  const ColorRef found[4] = {BLACK, RED, BLUE, WHITE};
  std::copy(found, found + 4, ordered->palette);
  OrganizePalette(*ordered);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(paste->palette[i], ordered->palette[i]) << i;
  EXPECT_EQ(std::set<ColorRef>(paste->palette, paste->palette + 16), (std::set<ColorRef>{BLACK, RED, BLUE, WHITE}));
}

TEST(ApplyTransparentPaste, TakingInColoursMovesTheLaterBlacksOfTheListBehindTheColours) {
  // The list is black, red and orange from the picture, then black and dark
  // red from the image; the image's black moves behind dark red before the
  // palette is organized. Red, orange and dark red differ only in hue
  // within one bucket, so where the blacks stand decides their final order.
  const ColorRef DARK_RED = MakeColor(127, 5, 0), ORANGE = MakeColor(255, 10, 0);
  auto tab = Tab(1, 1, 16);
  tab->palette[0] = DARK_RED;
  auto paste = Paste(0, 0, 1, 1, {BLACK, RED, ORANGE}, [](int, int) { return 1; });
  ColorPicture shown = Shown(*tab);
  ApplyTransparentPaste(*tab, MODE_TAKE_COLORS, *paste, shown.Surface());
  EXPECT_EQ(std::vector<ColorRef>(tab->palette, tab->palette + 5),
            (std::vector<ColorRef>{BLACK, DARK_RED, ORANGE, RED, BLACK}));
  EXPECT_EQ(CellAt(*tab, 0, 0), 3);
}
