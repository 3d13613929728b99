#pragma once
// Sample images and hand-made icon files for the tests of the icon and
// bitmap files. Files are put together byte by byte here, independently of
// the program's writer, so that a test of the reader does not lean on it.

#include <cstdint>
#include <string>
#include <vector>

#include "model/image_tab.h"
#include "platform/file_bytes.h"

namespace samples {

inline void Put16(ByteBuffer& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32(ByteBuffer& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline std::uint32_t Get32(const ByteBuffer& b, std::size_t at) {
  return std::uint32_t(b.at(at)) | std::uint32_t(b.at(at + 1)) << 8 | std::uint32_t(b.at(at + 2)) << 16 |
         std::uint32_t(b.at(at + 3)) << 24;
}
inline unsigned Get16(const ByteBuffer& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }

// A tab of the given size and colour code whose pixels and palette follow a
// pattern that differs per seed; every fifth pixel or so is transparent.
inline ImageTab PatternTab(int width, int height, std::uint8_t colorCode, unsigned seed = 1) {
  ImageTab tab{};
  tab.inUse = 1;
  tab.width = static_cast<std::uint8_t>(width);
  tab.height = static_cast<std::uint8_t>(height);
  tab.colorCode = colorCode;
  const int colors = colorCode == 0 ? 256 : colorCode;
  for (int i = 0; i < colors; ++i) tab.palette[i] = (0x00123456u * (i + 1) + seed * 0x10101u) & 0x00FFFFFFu;
  std::uint32_t state = seed * 2654435761u + 12345u;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) {
      state = state * 1103515245u + 12345u;
      const unsigned index = (state >> 16) % static_cast<unsigned>(colors);
      const bool transparent = (state >> 8) % 5 == 0;
      CellAt(tab, x, y) = static_cast<PixelCell>(index | (transparent ? 0x100 : 0));
    }
  return tab;
}

// One image of a hand-made file: the directory fields and the bytes at its
// offset. The offset is filled in by IconFile unless `fixedOffset` is set.
struct RawImage {
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint8_t colorCount = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  ByteBuffer body;  // palette, colour rows and mask rows after the info header
  bool withInfoHeader = true;
  bool useFixedOffset = false;
  std::uint32_t fixedOffset = 0;
};

inline ByteBuffer IconFile(const std::vector<RawImage>& images, int count = -1, unsigned reserved = 0,
                           unsigned type = 1) {
  ByteBuffer b;
  Put16(b, reserved);
  Put16(b, type);
  Put16(b, count < 0 ? static_cast<unsigned>(images.size()) : static_cast<unsigned>(count));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  std::vector<ByteBuffer> data;
  for (const RawImage& image : images) {
    ByteBuffer d;
    if (image.withInfoHeader) {
      Put32(d, 40);
      Put32(d, image.width);
      Put32(d, image.height * 2u);
      Put16(d, 1);
      Put16(d, image.bitCount);
      Put32(d, image.compression);
      for (int i = 0; i < 5; ++i) Put32(d, 0);
    }
    d.insert(d.end(), image.body.begin(), image.body.end());
    b.push_back(image.width);
    b.push_back(image.height);
    b.push_back(image.colorCount);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, image.bitCount);
    Put32(b, static_cast<std::uint32_t>(d.size()));
    Put32(b, image.useFixedOffset ? image.fixedOffset : offset);
    offset += static_cast<std::uint32_t>(d.size());
    data.push_back(std::move(d));
  }
  for (const ByteBuffer& d : data) b.insert(b.end(), d.begin(), d.end());
  return b;
}

// A well-formed image whose palette is `colors` quads of zero and whose rows
// are all zero, with the row sizes given by the caller.
inline RawImage PlainImage(int width, int height, std::uint8_t colorCount, std::uint16_t bitCount, int colorRow,
                           int maskRow) {
  RawImage image;
  image.width = static_cast<std::uint8_t>(width);
  image.height = static_cast<std::uint8_t>(height);
  image.colorCount = colorCount;
  image.bitCount = bitCount;
  const int colors = colorCount == 0 ? 256 : colorCount;
  image.body.assign(static_cast<std::size_t>(4 * colors + (colorRow + maskRow) * height), 0);
  return image;
}

}  // namespace samples
