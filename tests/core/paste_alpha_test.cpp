// Pasting a picture with alpha: which cells become transparent as the
// picture is stretched, which black entry they get, and the transparent
// cells kept in each merge of the transparent-colour paste.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "clipboard/paste_alpha.h"
#include "clipboard/transparent_paste.h"

namespace {

// A picture whose pixel (x, y) has alpha alphaOf(x, y); its colours are all
// red.
template <typename Alpha>
PixelPicture WithAlpha(int w, int h, Alpha alphaOf) {
  PixelPicture picture;
  picture.width = w;
  picture.height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      picture.pixels.push_back(0xFFFF0000u);
      picture.alpha.push_back(static_cast<std::uint8_t>(alphaOf(x, y)));
    }
  return picture;
}

std::unique_ptr<ImageTab> SixteenColourTab(int w, int h) {
  auto tab = std::make_unique<ImageTab>();
  tab->width = static_cast<std::uint8_t>(w);
  tab->height = static_cast<std::uint8_t>(h);
  tab->colorCode = 16;
  for (int i = 0; i < 16; ++i) tab->palette[i] = 0x0F0F0Fu * static_cast<ColorRef>(i + 1);
  tab->selection = {0, 0, w - 1, h - 1};
  return tab;
}

}  // namespace

TEST(PasteAlpha, CellsWhoseShareOfThePictureIsMostlyTransparentAreMarked) {
  // Alpha by column of a 4 x 2 picture: 0, 100, 160, 255 on both rows.
  const int columns[] = {0, 100, 160, 255};
  const PixelPicture picture = WithAlpha(4, 2, [&](int x, int) { return columns[x]; });
  struct Case {
    int width, height;
    std::vector<int> maskedColumns;  // every row alike
  };
  const std::vector<Case> cases = {
      {4, 2, {0, 1}},           // same size: below 128
      {2, 1, {0}},              // means 50 and 207
      {1, 1, {}},               // mean 128.75 is not below one half
      {8, 4, {0, 1, 2, 3}},     // enlarged: each source column twice
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    auto index = std::make_unique<PixelCell[]>(CELL_COUNT);
    MarkTransparentCells(picture, c.width, c.height, index.get());
    for (int x = 0; x < c.width; ++x)
      for (int y = 0; y < c.height; ++y) {
        const int source = c.width == 8 ? x / 2 : x;
        const bool expected = c.width == 8 ? columns[source] < 128
                                           : std::count(c.maskedColumns.begin(), c.maskedColumns.end(), x) > 0;
        EXPECT_EQ((index[CellIndex(x, y)] & CELL_MASK_BIT) != 0, expected) << x << "," << y;
      }
  }
  EXPECT_TRUE(HasTransparentPixels(picture));
  EXPECT_FALSE(HasTransparentPixels(WithAlpha(2, 2, [](int, int) { return 128; })));
}

TEST(PasteAlpha, TransparentCellsGetABlackEntry) {
  struct Case {
    const char* name;
    int blackAt;       // an entry set to black first, or -1
    bool useAll;       // every entry in use by cells outside the paste
    int expected;      // the entry the transparent cells get
    bool paletteBlack; // the expected entry is black afterwards
  };
  const std::vector<Case> cases = {
      {"black at 5", 5, false, 5, true},
      {"no black, entries free", -1, false, 2, true},
      {"no black, all in use", -1, true, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto tab = SixteenColourTab(8, 4);
    if (c.blackAt >= 0) tab->palette[c.blackAt] = 0;
    // Row 0 is pasted over; rows 1 to 3 keep entries 0 and 1, or all 16.
    for (int x = 0; x < 8; ++x)
      for (int y = 1; y < 4; ++y) CellAt(*tab, x, y) = static_cast<PixelCell>(c.useAll ? (x * 3 + y) % 16 : x % 2);
    if (c.useAll)
      for (int i = 0; i < 16; ++i) CellAt(*tab, i % 8, 1 + i / 8) = static_cast<PixelCell>(i);
    // Cells 0 to 3 of row 0 become transparent, the rest stay 1; the old
    // index 2 under the transparent ones does not count as used.
    auto index = std::make_unique<PixelCell[]>(CELL_COUNT);
    for (int x = 0; x < 8; ++x) {
      CellAt(*tab, x, 0) = static_cast<PixelCell>(x < 4 ? 2 : 1);
      index[CellIndex(x, 0)] = static_cast<PixelCell>(x < 4 ? CELL_MASK_BIT | 7 : 7);
    }
    EXPECT_TRUE(StoreTransparentCells(*tab, index.get(), 0, 0, 8, 1));
    for (int x = 0; x < 4; ++x) EXPECT_EQ(CellAt(*tab, x, 0), CELL_MASK_BIT | c.expected) << x;
    EXPECT_EQ(CellAt(*tab, 4, 0), 1);
    EXPECT_EQ(tab->palette[c.expected] == 0, c.paletteBlack);
  }
}

TEST(PasteAlpha, EveryMergeOfTheTransparentColourPasteKeepsTheTransparentCells) {
  for (int mode : {MODE_TAKE_COLORS, MODE_NEAREST_COLORS, MODE_TRANSPARENCY_ONLY}) {
    SCOPED_TRACE(mode);
    auto tab = SixteenColourTab(4, 4);
    tab->palette[0] = 0;
    for (int x = 0; x < 4; ++x)
      for (int y = 0; y < 4; ++y) CellAt(*tab, x, y) = 5;
    auto paste = std::make_unique<PastePicture>();
    paste->width = paste->height = 4;
    paste->palette[0] = 0;
    paste->palette[1] = 0x0000FFu;
    paste->palette[2] = 0x00FF00u;
    // Column 0 is the picture's own transparency, column 1 a colour the user
    // marked, the rest colours 1 and 2.
    for (int x = 0; x < 4; ++x)
      for (int y = 0; y < 4; ++y)
        paste->indexPicture[CellIndex(x, y)] = static_cast<PixelCell>(x == 0 ? CELL_MASK_BIT | 1 : x == 1 ? 2 : 1);
    paste->flags[2] = TRANSPARENT_FLAG;
    std::vector<std::uint32_t> shown(16, 0xFF000000u);
    ApplyTransparentPaste(*tab, mode, *paste, RasterSurface{shown.data(), 4, 4, 4});
    for (int y = 0; y < 4; ++y) {
      const PixelCell transparent = CellAt(*tab, 0, y);
      EXPECT_NE(transparent & CELL_MASK_BIT, 0) << y;
      EXPECT_EQ(tab->palette[transparent & CELL_INDEX_BITS], 0u) << y;
      // The marked colour leaves the image's opaque cell, the others are
      // opaque too.
      EXPECT_EQ(CellAt(*tab, 1, y) & CELL_MASK_BIT, 0) << y;
      if (mode != MODE_TAKE_COLORS) {
        EXPECT_EQ(CellAt(*tab, 1, y), 5) << y;
      }
      EXPECT_EQ(CellAt(*tab, 2, y) & CELL_MASK_BIT, 0) << y;
    }
  }
}
