#pragma once
// A picture of plain 32-bit pixels, as the clipboard gives and takes it.
// The program's own picture type builds on it.

#include <cstdint>
#include <vector>

struct PixelPicture {
  int width = 0;
  int height = 0;
  // Row by row from the top, each pixel 0xFFRRGGBB.
  std::vector<std::uint32_t> pixels;

  bool empty() const { return width <= 0 || height <= 0; }
};
