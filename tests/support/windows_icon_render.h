#pragma once
// Draws the images of icon file bytes the way Windows draws an icon: each
// pixel is (screen AND mask) XOR colour, read straight from the directory,
// the info header, the colour table, the colour bits and the AND mask of
// every 1, 4 and 8-bit image, with no help from the program's own reader.

#include <cstdint>
#include <vector>

#include "platform/file_bytes.h"

namespace windows_render {

struct Drawn {
  int width = 0;
  int height = 0;
  // 0xRRGGBB, top row first.
  std::vector<std::uint32_t> pixels;
  // True where the AND mask bit is set.
  std::vector<bool> masked;
};

inline std::uint32_t Read(const ByteBuffer& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b.at(at + static_cast<std::size_t>(i));
  return v;
}

// Every image of the file drawn over a screen of one colour (0xRRGGBB).
inline std::vector<Drawn> DrawIcon(const ByteBuffer& file, std::uint32_t screen) {
  std::vector<Drawn> images;
  const int count = static_cast<int>(Read(file, 4, 2));
  for (int i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    const std::size_t at = Read(file, entry + 12, 4);
    Drawn d;
    d.width = static_cast<int>(Read(file, at + 4, 4));
    d.height = static_cast<int>(Read(file, at + 8, 4)) / 2;
    const int bits = static_cast<int>(Read(file, at + 14, 2));
    const std::size_t colours = std::size_t{1} << bits;
    const std::size_t table = at + Read(file, at, 4);
    const std::size_t colourRow = static_cast<std::size_t>((d.width * bits + 31) / 32 * 4);
    const std::size_t maskRow = static_cast<std::size_t>((d.width + 31) / 32 * 4);
    const std::size_t xorBits = table + 4 * colours;
    const std::size_t andBits = xorBits + colourRow * static_cast<std::size_t>(d.height);
    for (int y = 0; y < d.height; ++y) {
      const std::size_t row = static_cast<std::size_t>(d.height - 1 - y);
      for (int x = 0; x < d.width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bits);
        const std::uint32_t byte = file.at(xorBits + row * colourRow + bit / 8);
        const std::uint32_t index = byte >> (8 - bits - bit % 8) & ((1u << bits) - 1);
        const std::uint32_t colour = Read(file, table + 4 * index, 3);  // blue, green, red
        const std::uint32_t rgb = (colour & 0xFF) << 16 | (colour & 0xFF00) | colour >> 16;
        const bool mask = (file.at(andBits + row * maskRow + static_cast<std::size_t>(x) / 8) >> (7 - x % 8) & 1) != 0;
        d.pixels.push_back(((mask ? screen : 0u) ^ rgb) & 0xFFFFFFu);
        d.masked.push_back(mask);
      }
    }
    images.push_back(d);
  }
  return images;
}

}  // namespace windows_render
