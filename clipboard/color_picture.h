#pragma once
// A picture of plain colours that the program owns: what the clipboard gives
// and takes, independent of any window system.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "canvas/raster.h"
#include "platform/pixel_picture.h"

// Its pixels are in the layout of a drawing surface.
struct ColorPicture : PixelPicture {
  // A surface over the pixels; it stays valid while the picture is neither
  // resized nor destroyed.
  RasterSurface Surface() { return {pixels.data(), width, height, width}; }
};

// A picture of the size filled with one colour; an empty picture for a size
// that is not positive.
inline ColorPicture MakeColorPicture(int width, int height, ColorRef fill = 0) {
  ColorPicture picture;
  if (width <= 0 || height <= 0) return picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), PixelOfColor(fill));
  return picture;
}
