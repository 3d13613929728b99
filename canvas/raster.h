#pragma once
// Drawing primitives on 32-bit pixel surfaces. The edit view, the previews
// and the circle tool draw through these functions, so every picture they
// make is exact and the same on every platform.

#include <cstdint>

#include "model/image_tab.h"

// A rectangle of pixels, right and bottom exclusive.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

inline bool operator==(const PixelRect& a, const PixelRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Pixels are stored as 0xFFRRGGBB, the order of a 32-bit RGB image.
struct RasterSurface {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  // Pixels from one row to the next.
  int stride = 0;
};

constexpr std::uint32_t PixelOfColor(ColorRef color) {
  return 0xFF000000u | (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
}
constexpr ColorRef ColorOfPixel(std::uint32_t pixel) {
  return (pixel >> 16 & 0xFFu) | (pixel & 0xFF00u) | (pixel & 0xFFu) << 16;
}

// Reads and writes one pixel; points outside the surface read as 0 and are
// not written.
ColorRef SurfacePixel(const RasterSurface& surface, int x, int y);
void SetSurfacePixel(RasterSurface& surface, int x, int y, ColorRef color);

// Fills the rectangle, clipped to the surface.
void FillPixelRect(RasterSurface& surface, const PixelRect& rect, ColorRef color);

// A filled rectangle with an outline of penWidth pixels drawn inside its
// edge. With penWidth 0 there is no outline, and the filled area then stops
// one pixel short at the right and at the bottom: cells whose outlines
// share a line tile the surface without overlapping when drawn without one.
void DrawFramedRect(RasterSurface& surface, const PixelRect& rect, ColorRef fill, ColorRef pen, int penWidth);

// A filled ellipse without outline, inscribed in the rectangle: a pixel is
// painted when its centre lies inside the ellipse.
void FillEllipse(RasterSurface& surface, const PixelRect& rect, ColorRef color);

// Inverts every pixel on the edge of the rectangle exactly once, so doing it
// twice restores the picture.
void InvertRectOutline(RasterSurface& surface, const PixelRect& rect);
