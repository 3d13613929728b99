// A 32-bit image written from an indexed one looks the same as the indexed
// one over any background, except where Windows would invert the screen,
// and those cells are counted.

#include <gtest/gtest.h>

#include "fileio/dib_reading.h"
#include "fileio/true_colour_image.h"
#include "tests/support/icon_samples.h"

namespace {

// 0x00RRGGBB of a screen pixel.
using Screen = std::uint32_t;

Screen RgbOfColorRef(ColorRef c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// How Windows draws an indexed icon pixel: the screen ANDed with the mask
// bit, then XORed with the colour.
Screen DrawIndexed(const ImageTab& image, int x, int y, Screen under) {
  const PixelCell cell = CellAt(image, x, y);
  const Screen colour = RgbOfColorRef(image.palette[cell & CELL_INDEX_BITS]);
  return ((cell & CELL_MASK_BIT) != 0 ? under : 0) ^ colour;
}

// How a 32-bit pixel with straight alpha is drawn (as read from the file).
Screen DrawTrueColour(const ByteBuffer& data, const ImageTab& image, int x, int y, Screen under) {
  const std::size_t at = 40 + (static_cast<std::size_t>(image.height - 1 - y) * image.width + x) * 4;
  const unsigned a = data[at + 3];
  Screen out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const unsigned over = data[at + shift / 8];
    const unsigned back = under >> shift & 0xFF;
    out |= ((over * a + back * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

TEST(TrueColourImage, CompositesLikeTheIndexedImageOverAnyBackgroundAndCountsInvertedCells) {
  const struct {
    int width, height;
    std::uint8_t code;
    bool blackUnderMask;
  } cases[] = {{16, 16, 2, true}, {32, 32, 16, true}, {48, 20, 0, true}, {33, 7, 16, false}, {64, 64, 0, false}};
  const Screen backgrounds[] = {0x000000, 0xFFFFFF, 0x123456, 0xC0C0C0, 0x808000};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " code " << int{c.code});
    ImageTab image = samples::PatternTab(c.width, c.height, c.code, 7);
    int transparent = 0;
    int expectedInverted = 0;
    for (int x = 0; x < c.width; ++x)
      for (int y = 0; y < c.height; ++y) {
        PixelCell& cell = CellAt(image, x, y);
        if ((cell & CELL_MASK_BIT) == 0) continue;
        ++transparent;
        // Transparent cells on black, as the editor makes them, or on any
        // colour, as old files have them.
        if (c.blackUnderMask) image.palette[cell & CELL_INDEX_BITS] = 0, cell = CELL_MASK_BIT;
      }
    for (int x = 0; x < c.width; ++x)
      for (int y = 0; y < c.height; ++y)
        if ((CellAt(image, x, y) & CELL_MASK_BIT) != 0 && image.palette[CellAt(image, x, y) & CELL_INDEX_BITS] != 0)
          ++expectedInverted;
    ASSERT_GT(transparent, 0);
    int inverted = -1;
    const KeptEntry entry = TrueColourEntryOfImage(image, &inverted);
    EXPECT_EQ(inverted, expectedInverted);
    EXPECT_EQ(c.blackUnderMask, inverted == 0);
    ASSERT_EQ(U16At(entry.data, INFO_BIT_COUNT), 32);
    ASSERT_EQ(entry.data.size(),
              40 + 4u * c.width * c.height + static_cast<std::size_t>((c.width + 31) / 32 * 4) * c.height);
    for (Screen under : backgrounds)
      for (int x = 0; x < c.width; ++x)
        for (int y = 0; y < c.height; ++y) {
          const PixelCell cell = CellAt(image, x, y);
          const bool invertsScreen = (cell & CELL_MASK_BIT) != 0 && image.palette[cell & CELL_INDEX_BITS] != 0;
          if (invertsScreen) continue;
          ASSERT_EQ(DrawTrueColour(entry.data, image, x, y, under), DrawIndexed(image, x, y, under))
              << "at " << x << "," << y << " over " << std::hex << under;
        }
  }
}

}  // namespace
