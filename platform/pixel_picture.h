#pragma once
// A picture of plain 32-bit pixels, as the clipboard gives and takes it.
// The program's own picture type builds on it.

#include <cstdint>
#include <vector>

struct PixelPicture {
  int width = 0;
  int height = 0;
  // Row by row from the top, each pixel 0xFFRRGGBB: plain colours, which
  // compare equal whatever their alpha.
  std::vector<std::uint32_t> pixels;
  // The alpha of each pixel in the same order, 0 (transparent) to 255; empty
  // when every pixel is opaque.
  std::vector<std::uint8_t> alpha;

  bool empty() const { return width <= 0 || height <= 0; }
};
