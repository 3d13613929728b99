// The side-by-side bitmap: file sizes, offsets, row packing and the rule that
// every image is shown with the first tab's palette and without its mask.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fileio/bitmap_format.h"
#include "tests/support/icon_samples.h"

using samples::Get16;
using samples::Get32;

namespace {

struct Set {
  std::vector<std::unique_ptr<ImageTab>> tabs;
  std::vector<const ImageTab*> order;
};

Set MakeSet(int count, int width, int height, std::uint8_t code) {
  Set set;
  for (int i = 0; i < count; ++i) {
    set.tabs.push_back(std::make_unique<ImageTab>(samples::PatternTab(width, height, code, 10u + i)));
    set.order.push_back(set.tabs.back().get());
  }
  return set;
}

void ExpectHeaders(const ByteBuffer& bytes, std::uint32_t width, std::uint32_t height, unsigned bits,
                   std::uint32_t pixelOffset, std::uint32_t fileSize) {
  ASSERT_EQ(bytes.size(), fileSize);
  EXPECT_EQ(Get16(bytes, 0), 0x4D42u);
  EXPECT_EQ(Get32(bytes, 2), fileSize);
  EXPECT_EQ(Get32(bytes, 6), 0u);
  EXPECT_EQ(Get32(bytes, 10), pixelOffset);
  EXPECT_EQ(Get32(bytes, 14), 40u);
  EXPECT_EQ(Get32(bytes, 18), width);
  EXPECT_EQ(Get32(bytes, 22), height) << "positive: bottom row first";
  EXPECT_EQ(Get16(bytes, 26), 1u);
  EXPECT_EQ(Get16(bytes, 28), bits);
  for (std::size_t field = 30; field < 54; field += 4) EXPECT_EQ(Get32(bytes, field), 0u) << field;
}

}  // namespace

TEST(SideBySideBitmap, SizesAndOffsets) {
  {
    const Set set = MakeSet(3, 16, 16, 16);
    EXPECT_EQ(BitmapRowBytes(48, 16), 24);
    ExpectHeaders(SerializeSideBySideBitmap(set.order), 48, 16, 4, 118, 502);
  }
  {
    const Set set = MakeSet(2, 32, 32, 2);
    EXPECT_EQ(BitmapRowBytes(64, 2), 8);
    ExpectHeaders(SerializeSideBySideBitmap(set.order), 64, 32, 1, 62, 318);
  }
  {
    const Set set = MakeSet(2, 20, 20, 0);
    EXPECT_EQ(BitmapRowBytes(40, 0), 40);
    ExpectHeaders(SerializeSideBySideBitmap(set.order), 40, 20, 8, 1078, 1078 + 40 * 20);
  }
  {
    // The widest bitmap: 20 images of 64 pixels.
    const Set set = MakeSet(20, 64, 3, 2);
    ExpectHeaders(SerializeSideBySideBitmap(set.order), 1280, 3, 1, 62, 62 + 160 * 3);
  }
  EXPECT_TRUE(SerializeSideBySideBitmap({}).empty());
}

TEST(SideBySideBitmap, ImagesLeftToRightWithTheFirstPalette) {
  Set set = MakeSet(2, 3, 2, 0);
  ImageTab& left = *set.tabs[0];
  ImageTab& right = *set.tabs[1];
  for (int x = 0; x < 3; ++x)
    for (int y = 0; y < 2; ++y) {
      CellAt(left, x, y) = static_cast<PixelCell>(10 * y + x);
      CellAt(right, x, y) = static_cast<PixelCell>(100 + 10 * y + x);
    }
  CellAt(right, 1, 0) = 5;
  // A transparent pixel keeps its index.
  CellAt(left, 2, 1) = 0x100 | 3;
  left.palette[5] = 0x00ABCDEF;
  right.palette[5] = 0x00123456;
  const ByteBuffer bytes = SerializeSideBySideBitmap(set.order);
  // Palette entry 5 is the left tab's, stored blue, green, red, 0.
  const std::size_t entry5 = 54 + 4 * 5;
  EXPECT_EQ(bytes[entry5 + 0], 0xAB);
  EXPECT_EQ(bytes[entry5 + 1], 0xCD);
  EXPECT_EQ(bytes[entry5 + 2], 0xEF);
  EXPECT_EQ(bytes[entry5 + 3], 0x00);
  // Rows of 6 pixels padded to 8 bytes; the bottom row (y = 1) first.
  const std::size_t pixels = 54 + 1024;
  const std::uint8_t bottom[8] = {10, 11, 3, 110, 111, 112, 0, 0};
  const std::uint8_t top[8] = {0, 1, 2, 100, 5, 102, 0, 0};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(bytes[pixels + i], bottom[i]) << "bottom " << i;
    EXPECT_EQ(bytes[pixels + 8 + i], top[i]) << "top " << i;
  }
}

TEST(SideBySideBitmap, PacksOneAndFourBitRowsAcrossImageBorders) {
  Set two = MakeSet(3, 3, 1, 2);
  const PixelCell bits[9] = {1, 0, 1, 0, 0x101, 1, 0x100, 0, 1};
  for (int i = 0; i < 9; ++i) CellAt(*two.tabs[i / 3], i % 3, 0) = bits[i];
  const ByteBuffer one = SerializeSideBySideBitmap(two.order);
  EXPECT_EQ(one[62], 0xAC);  // 1010 1100
  EXPECT_EQ(one[63], 0x80);  // pixel 8, then padding
  EXPECT_EQ(one[64], 0);
  EXPECT_EQ(one[65], 0);

  Set sixteen = MakeSet(3, 3, 1, 16);
  for (int i = 0; i < 9; ++i) CellAt(*sixteen.tabs[i / 3], i % 3, 0) = static_cast<PixelCell>(i + 1);
  CellAt(*sixteen.tabs[2], 2, 0) = 0x100 | 0x0F;
  const ByteBuffer four = SerializeSideBySideBitmap(sixteen.order);
  const std::uint8_t packed[8] = {0x12, 0x34, 0x56, 0x78, 0xF0, 0, 0, 0};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(four[118 + i], packed[i]) << i;
  EXPECT_EQ(four.size(), 118u + 8);
}
