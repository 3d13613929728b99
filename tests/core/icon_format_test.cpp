// The icon file format: the extension rule, the checks with their messages,
// the row layout the reader expects, and what the writer puts into a file.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fileio/icon_format.h"
#include "tests/support/icon_samples.h"

using samples::Get16;
using samples::Get32;
using samples::IconFile;
using samples::PlainImage;
using samples::RawImage;

namespace {

// The row sizes of a well-formed image, spelled out so that the tests do not
// take them from the code under test.
RawImage Plain16x16() { return PlainImage(16, 16, 16, 4, 8, 4); }

std::unique_ptr<ImageTab> ReadOne(const ByteBuffer& bytes, int width, int height, std::uint8_t colorCode,
                                  bool* ok = nullptr) {
  auto tab = std::make_unique<ImageTab>();
  tab->width = static_cast<std::uint8_t>(width);
  tab->height = static_cast<std::uint8_t>(height);
  tab->colorCode = colorCode;
  const bool read = ReadIconImage(bytes, *tab, static_cast<std::uint32_t>(Get32(bytes, 18)));
  if (ok != nullptr) *ok = read;
  return tab;
}

}  // namespace

TEST(FileExtension, FollowsTheLastDotAndIgnoresCase) {
  EXPECT_TRUE(FileExtensionIs("a.ICO", ".ico"));
  EXPECT_TRUE(FileExtensionIs("/home/u/icons/a.ico", ".ico"));
  EXPECT_TRUE(FileExtensionIs("/home/u/アイコン.Ico", ".ico"));
  EXPECT_FALSE(FileExtensionIs("a.ico.bak", ".ico"));
  EXPECT_FALSE(FileExtensionIs("a", ".ico"));
  EXPECT_FALSE(FileExtensionIs("x.ico\\y", ".ico"));
  EXPECT_FALSE(FileExtensionIs("x.ico/y", ".ico"));
  EXPECT_FALSE(FileExtensionIs("a.icon", ".ico"));
  EXPECT_FALSE(FileExtensionIs("aico", ".ico"));
  // A name without a dot has the empty extension.
  EXPECT_TRUE(FileExtensionIs("README", ""));
}

TEST(IconCheck, CountsAboveTwentyAreNotReadPastTheHeader) {
  // Nothing but the header: the directory is never looked at.
  const IconCheck check = CheckIconBytes(IconFile({}, 21));
  EXPECT_EQ(check.error, "");
  EXPECT_EQ(check.imageCount, 21);
  EXPECT_EQ(CheckIconBytes(IconFile({}, 20)).error, ICON_READ_FAILED);
  const IconCheck empty = CheckIconBytes(IconFile({}));
  EXPECT_EQ(empty.error, "");
  EXPECT_EQ(empty.imageCount, 0);
}

// The other refusals, one file each, are in the corpus under tests/data.
TEST(IconCheck, SizesFromOneToSixtyFour) {
  RawImage wide = Plain16x16();
  wide.width = 65;
  EXPECT_EQ(CheckIconBytes(IconFile({wide})).error, ICON_SIZE_UNSUPPORTED);
  EXPECT_EQ(CheckIconBytes(IconFile({PlainImage(64, 64, 0, 8, 64, 8)})).error, "");
  EXPECT_EQ(CheckIconBytes(IconFile({PlainImage(1, 1, 2, 1, 4, 4)})).error, "");
}

TEST(IconCheck, ReportsTheFirstFailureInFileOrder) {
  RawImage packed = Plain16x16();
  packed.compression = 1;
  RawImage wide = Plain16x16();
  wide.width = 0;
  // The size of the second entry is checked after the first entry's
  // compression, and within one entry colours come before compression.
  EXPECT_EQ(CheckIconBytes(IconFile({packed, wide})).error, ICON_COMPRESSED);
  EXPECT_EQ(CheckIconBytes(IconFile({Plain16x16(), wide})).error, ICON_SIZE_UNSUPPORTED);
  RawImage both = Plain16x16();
  both.bitCount = 3;
  both.compression = 1;
  EXPECT_EQ(CheckIconBytes(IconFile({both})).error, ICON_COLORS_UNSUPPORTED);
}

TEST(IconCheck, InfoHeaderMustLieWhollyInsideTheFile) {
  const ByteBuffer good = IconFile({Plain16x16()});
  EXPECT_EQ(CheckIconBytes(ByteBuffer(good.begin(), good.begin() + 22 + 39)).error, ICON_READ_FAILED);
  EXPECT_EQ(CheckIconBytes(ByteBuffer(good.begin(), good.begin() + 22 + 40)).error, "");
}

TEST(IconRows, SizesAtAwkwardWidths) {
  struct Row { int width, one, four, eight, mask; };
  const Row rows[] = {{1, 4, 4, 4, 4},     {7, 4, 4, 8, 4},     {8, 4, 4, 8, 4},     {9, 4, 8, 12, 4},
                      {20, 4, 12, 20, 4},  {31, 4, 16, 32, 4},  {32, 4, 16, 32, 4},  {33, 8, 20, 36, 8},
                      {64, 8, 32, 64, 8}};
  for (const Row& row : rows) {
    EXPECT_EQ(ColorRowBytes(row.width, 2), row.one) << row.width;
    EXPECT_EQ(ColorRowBytes(row.width, 16), row.four) << row.width;
    EXPECT_EQ(ColorRowBytes(row.width, 0), row.eight) << row.width;
    EXPECT_EQ(MaskRowBytes(row.width), row.mask) << row.width;
  }
}

TEST(IconRead, TwoColourRowsBottomFirstMostSignificantBitLeft) {
  // 9 x 2 pixels, two colours: 4-byte colour rows and 4-byte mask rows.
  RawImage image = PlainImage(9, 2, 2, 1, 4, 4);
  const std::uint8_t palette[] = {0x10, 0x20, 0x30, 0xFF, 0x01, 0x02, 0x03, 0x00};
  std::copy(std::begin(palette), std::end(palette), image.body.begin());
  // File row 0 is the bottom image row (y = 1): pixels 0 and 8 set.
  image.body[8 + 0] = 0x80;
  image.body[8 + 1] = 0x80;
  // Padding bits after pixel 8 are not part of the image.
  image.body[8 + 1] |= 0x7F;
  image.body[8 + 3] = 0xFF;
  // File row 1 is the top row (y = 0): pixel 1 set.
  image.body[12] = 0x40;
  // Mask: top row pixel 2 transparent, bottom row pixel 7.
  image.body[16 + 0] = 0x01;
  image.body[20 + 0] = 0x20;
  bool ok = false;
  const auto tab = ReadOne(IconFile({image}), 9, 2, 2, &ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(tab->palette[0], 0x00102030u) << "red in the lowest byte, the reserved byte dropped";
  EXPECT_EQ(tab->palette[1], 0x00010203u);
  const PixelCell top[9] = {0, 1, 0x100, 0, 0, 0, 0, 0, 0};
  const PixelCell bottom[9] = {1, 0, 0, 0, 0, 0, 0, 0x100, 1};
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(CellAt(*tab, x, 0), top[x]) << "top row, x = " << x;
    EXPECT_EQ(CellAt(*tab, x, 1), bottom[x]) << "bottom row, x = " << x;
  }
}

TEST(IconRead, TheImagesHeaderDecidesItsDepthWhateverTheEntrysColourCountSays) {
  // Other writers put 0 (or anything) in the entry's colour count; the info
  // header's bit count decides how the rows are laid out. 9 pixels wide, so
  // 4-byte rows at 1 bit, 8 at 4 bits and 12 at 8 bits.
  struct Case { std::uint8_t entryCount; std::uint16_t bits; int colours, colourRow; std::uint8_t code; };
  const Case cases[] = {{0, 1, 2, 4, 2}, {0, 4, 16, 8, 16}, {16, 8, 256, 12, 0}, {2, 4, 16, 8, 16}};
  for (const Case& c : cases) {
    RawImage image = PlainImage(9, 2, 0, c.bits, c.colourRow, 4);
    image.colorCount = c.entryCount;
    image.body.resize(4u * c.colours + (c.colourRow + 4) * 2u, 0);
    const std::size_t rows = 4u * c.colours;
    image.body[rows] = c.bits == 1 ? 0xC0 : c.bits == 4 ? 0x10 : 0x01;  // bottom row, pixel 0 = 1
    image.body[rows + c.colourRow] = c.bits == 1 ? 0x40 : c.bits == 4 ? 0x01 : 0x00;  // top row, pixel 1 = 1
    std::vector<ImageTab> images;
    ASSERT_EQ(DecodeIconFile(IconFile({image}), images), "") << c.bits;
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].colorCode, c.code) << c.bits;
    EXPECT_EQ(CellAt(images[0], 0, 1), 1) << c.bits;
    EXPECT_EQ(CellAt(images[0], 1, 1), c.bits == 1 ? 1 : 0) << c.bits;
    EXPECT_EQ(CellAt(images[0], 1, 0), c.bits == 8 ? 0 : 1) << c.bits;
  }
}

TEST(IconRead, AFileThatEndsEarlyFailsWithoutReadingPastIt) {
  const ByteBuffer whole = IconFile({PlainImage(20, 3, 0, 8, 20, 4)});
  bool ok = false;
  ReadOne(whole, 20, 3, 0, &ok);
  ASSERT_TRUE(ok);
  // Cut inside the palette, the colour rows and the last mask row.
  for (std::size_t cut : {std::size_t{22 + 40 + 100}, std::size_t{22 + 40 + 1024 + 30}, whole.size() - 1}) {
    const ByteBuffer part(whole.begin(), whole.begin() + static_cast<long>(cut));
    ReadOne(part, 20, 3, 0, &ok);
    EXPECT_FALSE(ok) << "cut at " << cut;
    std::vector<ImageTab> images;
    EXPECT_EQ(DecodeIconFile(part, images), ICON_READ_FAILED) << "cut at " << cut;
    EXPECT_TRUE(images.empty());
  }
}

TEST(IconWrite, RoundTripKeepsIndexAndMaskOfEveryPixel) {
  const int sizes[] = {1, 7, 8, 9, 20, 31, 33, 64};
  unsigned seed = 1;
  for (std::uint8_t code : {std::uint8_t{2}, std::uint8_t{16}, std::uint8_t{0}}) {
    std::vector<std::unique_ptr<ImageTab>> tabs;
    std::vector<const ImageTab*> order;
    for (int width : sizes) {
      const int height = sizes[(seed * 3) % 8];
      tabs.push_back(std::make_unique<ImageTab>(samples::PatternTab(width, height, code, seed++)));
      order.push_back(tabs.back().get());
    }
    std::vector<ImageTab> images;
    ASSERT_EQ(DecodeIconFile(SerializeIcon(order), images), "");
    ASSERT_EQ(images.size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
      const ImageTab& want = *order[i];
      const ImageTab& got = images[i];
      ASSERT_EQ(got.width, want.width);
      ASSERT_EQ(got.height, want.height);
      ASSERT_EQ(got.colorCode, want.colorCode);
      for (int c = 0; c < PaletteSize(want); ++c) ASSERT_EQ(got.palette[c], want.palette[c]) << "entry " << c;
      for (int x = 0; x < want.width; ++x)
        for (int y = 0; y < want.height; ++y)
          ASSERT_EQ(CellAt(got, x, y), CellAt(want, x, y))
              << int(want.width) << "x" << int(want.height) << " code " << int(code) << " at " << x << "," << y;
    }
  }
}

TEST(IconWrite, DataSizesAndOffsets) {
  EXPECT_EQ(IconImageDataSize(32, 32, 16), 744u);
  EXPECT_EQ(IconImageDataSize(32, 32, 2), 304u);
  EXPECT_EQ(IconImageDataSize(32, 32, 0), 1064u + 1024 + 128);
  EXPECT_EQ(IconImageDataSize(33, 5, 16), 104u + 20 * 5 + 8 * 5);

  const ImageTab a = samples::PatternTab(32, 32, 16, 1);
  const ImageTab b = samples::PatternTab(32, 32, 2, 2);
  const ImageTab c = samples::PatternTab(7, 3, 0, 3);
  const ByteBuffer bytes = SerializeIcon({&a, &b, &c});
  EXPECT_EQ(Get16(bytes, 0), 0u);
  EXPECT_EQ(Get16(bytes, 2), 1u);
  EXPECT_EQ(Get16(bytes, 4), 3u);
  const std::uint32_t sizes[] = {744, 304, 1064 + 8 * 3 + 4 * 3};
  const unsigned bits[] = {4, 1, 8};
  const unsigned counts[] = {16, 2, 0};
  std::uint32_t offset = 54;
  for (int i = 0; i < 3; ++i) {
    const std::size_t entry = 6 + 16 * i;
    EXPECT_EQ(bytes[entry + 2], counts[i]);
    EXPECT_EQ(bytes[entry + 3], 0);
    EXPECT_EQ(Get16(bytes, entry + 4), 1u) << "planes";
    EXPECT_EQ(Get16(bytes, entry + 6), bits[i]);
    EXPECT_EQ(Get32(bytes, entry + 8), sizes[i]);
    EXPECT_EQ(Get32(bytes, entry + 12), offset);
    // The info header at that offset.
    EXPECT_EQ(Get32(bytes, offset), 40u);
    EXPECT_EQ(Get32(bytes, offset + 4), bytes[entry]);
    EXPECT_EQ(Get32(bytes, offset + 8), 2u * bytes[entry + 1]) << "doubled height";
    EXPECT_EQ(Get16(bytes, offset + 12), 1u);
    EXPECT_EQ(Get16(bytes, offset + 14), bits[i]);
    for (std::size_t field = 16; field < 40; field += 4) EXPECT_EQ(Get32(bytes, offset + field), 0u) << field;
    offset += sizes[i];
  }
  EXPECT_EQ(bytes.size(), offset);
}

TEST(IconWrite, PaletteQuadsAndTransparentPixels) {
  ImageTab tab{};
  tab.width = 9;
  tab.height = 2;
  tab.colorCode = 2;
  tab.palette[0] = 0x00302010;  // red 0x10, green 0x20, blue 0x30
  tab.palette[1] = 0x00FFFFFF;
  for (int x = 0; x < 9; ++x) CellAt(tab, x, 0) = CellAt(tab, x, 1) = 0;
  // Top row: pixel 0 opaque index 1, pixel 8 transparent with index 1.
  CellAt(tab, 0, 0) = 1;
  CellAt(tab, 8, 0) = 0x101;
  // Bottom row: pixel 3 transparent with index 0.
  CellAt(tab, 3, 1) = 0x100;
  const ByteBuffer bytes = SerializeIcon({&tab});
  const std::size_t palette = 22 + 40;
  EXPECT_EQ(bytes[palette + 0], 0x30);
  EXPECT_EQ(bytes[palette + 1], 0x20);
  EXPECT_EQ(bytes[palette + 2], 0x10);
  EXPECT_EQ(bytes[palette + 3], 0x00);
  const std::size_t colorRows = palette + 8;
  // Bottom row first: nothing set.
  EXPECT_EQ(samples::Get32(bytes, colorRows), 0u);
  // Top row: pixel 0 and pixel 8 (its index is written although it is
  // transparent); padding bits stay zero.
  EXPECT_EQ(bytes[colorRows + 4], 0x80);
  EXPECT_EQ(bytes[colorRows + 5], 0x80);
  EXPECT_EQ(bytes[colorRows + 6], 0x00);
  const std::size_t maskRows = colorRows + 8;
  EXPECT_EQ(bytes[maskRows + 0], 0x10) << "bottom row, pixel 3";
  EXPECT_EQ(bytes[maskRows + 4], 0x00);
  EXPECT_EQ(bytes[maskRows + 5], 0x80) << "top row, pixel 8";
  EXPECT_EQ(bytes.size(), maskRows + 8);
}

