// Importing a picture onto a given palette: the nearest of its colours, the
// image's colour count from its size, and where the transparent cells
// point.

#include <gtest/gtest.h>

#include <algorithm>

#include "fileio/palette_formats.h"
#include "import/palette_import.h"

namespace {

ColorRef Rgb(int r, int g, int b) { return static_cast<ColorRef>(r | g << 8 | b << 16); }

// A 4 x 1 picture: near-red, near-blue, transparent, near-white.
RgbaPicture Picture() {
  RgbaPicture picture;
  picture.width = 4;
  picture.height = 1;
  picture.pixels = {0xFFF01010, 0xFF1010F8, 0x00FFFFFF, 0xFFF0F0F0};
  return picture;
}

TEST(PaletteImport, MapsOntoThePaletteAndPutsTransparentCellsOnBlack) {
  const ColorRef red = Rgb(255, 0, 0), blue = Rgb(0, 0, 255), white = Rgb(255, 255, 255), black = 0;
  std::vector<ColorRef> sixteenNoBlack;
  for (int i = 0; i < 16; ++i) sixteenNoBlack.push_back(i == 0 ? red : i == 1 ? blue : i == 2 ? white : Rgb(9, i, 9));
  const struct {
    const char* name;
    std::vector<ColorRef> palette;
    std::uint8_t code;
    int transparentIndex;
    bool blackUnderMask;
    bool blackAdded;
  } cases[] = {
      {"black in the palette", {white, red, black, blue}, 16, 2, true, false},
      {"black past the palette's colours", {white, red, blue}, 16, 3, true, false},
      {"16 without black take a 17th entry", sixteenNoBlack, 0, 16, true, true},
      {"two colours without black take a third", {red, blue}, 16, 2, true, true},
      {"256 colours", WindowsPalette256(), 0, 0, true, false},
      {"256 without black leave no room", std::vector<ColorRef>(256, red), 0, 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ImageTab tab{};
    const PaletteMapping mapping = ConvertPictureToPalette(Picture(), c.palette, false, tab);
    EXPECT_EQ(tab.colorCode, c.code);
    EXPECT_EQ(tab.width, 4);
    for (std::size_t i = 0; i < c.palette.size(); ++i) ASSERT_EQ(tab.palette[i], c.palette[i]) << i;
    for (int i = static_cast<int>(c.palette.size()); i < PaletteSize(tab); ++i) ASSERT_EQ(tab.palette[i], 0u) << i;
    EXPECT_EQ(CellAt(tab, 2, 0), static_cast<PixelCell>(c.transparentIndex | CELL_MASK_BIT));
    EXPECT_EQ(mapping.transparentPixels, 1);
    EXPECT_EQ(mapping.blackUnderMask, c.blackUnderMask);
    EXPECT_EQ(mapping.blackAdded, c.blackAdded);
    if (c.palette.size() == 256 && !c.blackUnderMask) continue;
    EXPECT_EQ(tab.palette[CellAt(tab, 0, 0) & 0xFF], red);
    EXPECT_EQ(tab.palette[CellAt(tab, 1, 0) & 0xFF], blue);
    if (std::find(c.palette.begin(), c.palette.end(), white) != c.palette.end() && c.code == 16) {
      EXPECT_EQ(tab.palette[CellAt(tab, 3, 0) & 0xFF], white);
    }
  }
}

TEST(PaletteImport, DitheringMixesThePalettesColoursWhereNearestTakesOne) {
  // A flat dark grey onto black and white: the nearest colour is black
  // everywhere; dithered, some pixels turn white.
  RgbaPicture picture;
  picture.width = picture.height = 16;
  picture.pixels.assign(256, 0xFF646464u);
  const std::vector<ColorRef> palette = {Rgb(0, 0, 0), Rgb(255, 255, 255)};
  for (const bool dither : {false, true}) {
    SCOPED_TRACE(dither);
    ImageTab tab{};
    ConvertPictureToPalette(picture, palette, dither, tab);
    int white = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const int index = CellAt(tab, x, y) & 0xFF;
        ASSERT_LT(index, 2);
        white += index;
      }
    if (dither) {
      EXPECT_GT(white, 32);
      EXPECT_LT(white, 128);
    } else {
      EXPECT_EQ(white, 0);
    }
  }
}

}  // namespace
