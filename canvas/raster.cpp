#include "canvas/raster.h"

#include <algorithm>

namespace {

// The rectangle cut to the surface; empty when nothing of it is visible.
PixelRect Clip(const RasterSurface& surface, const PixelRect& rect) {
  return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, surface.width),
          std::min(rect.bottom, surface.height)};
}

void InvertPixel(RasterSurface& surface, int x, int y) {
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return;
  surface.pixels[y * surface.stride + x] ^= 0x00FFFFFFu;
}

}  // namespace

ColorRef SurfacePixel(const RasterSurface& surface, int x, int y) {
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return 0;
  return ColorOfPixel(surface.pixels[y * surface.stride + x]);
}

void SetSurfacePixel(RasterSurface& surface, int x, int y, ColorRef color) {
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return;
  surface.pixels[y * surface.stride + x] = PixelOfColor(color);
}

void FillPixelRect(RasterSurface& surface, const PixelRect& rect, ColorRef color) {
  const PixelRect clipped = Clip(surface, rect);
  if (clipped.left >= clipped.right) return;
  const std::uint32_t pixel = PixelOfColor(color);
  for (int y = clipped.top; y < clipped.bottom; ++y) {
    std::uint32_t* row = surface.pixels + y * surface.stride;
    std::fill(row + clipped.left, row + clipped.right, pixel);
  }
}

void DrawFramedRect(RasterSurface& surface, const PixelRect& rect, ColorRef fill, ColorRef pen, int penWidth) {
  if (penWidth <= 0) {
    FillPixelRect(surface, {rect.left, rect.top, rect.right - 1, rect.bottom - 1}, fill);
    return;
  }
  FillPixelRect(surface, rect, pen);
  FillPixelRect(surface, {rect.left + penWidth, rect.top + penWidth, rect.right - penWidth, rect.bottom - penWidth},
                fill);
}

void FillEllipse(RasterSurface& surface, const PixelRect& rect, ColorRef color) {
  const std::int64_t w = rect.right - rect.left;
  const std::int64_t h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  const std::uint32_t pixel = PixelOfColor(color);
  // Coordinates are doubled so that the centre of the rectangle and of every
  // pixel are whole numbers: a pixel is inside when
  // (dx / w)^2 + (dy / h)^2 <= 1 with dx, dy measured in half pixels.
  const std::int64_t limit = w * w * h * h;
  for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, surface.height); ++y) {
    const std::int64_t dy = 2 * y + 1 - rect.top - rect.bottom;
    const std::int64_t rowTerm = dy * dy * w * w;
    if (rowTerm > limit) continue;
    std::uint32_t* row = surface.pixels + y * surface.stride;
    for (int x = std::max(rect.left, 0); x < std::min(rect.right, surface.width); ++x) {
      const std::int64_t dx = 2 * x + 1 - rect.left - rect.right;
      if (dx * dx * h * h + rowTerm <= limit) row[x] = pixel;
    }
  }
}

void InvertRectOutline(RasterSurface& surface, const PixelRect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const int lastX = rect.right - 1;
  const int lastY = rect.bottom - 1;
  for (int x = rect.left; x <= lastX; ++x) InvertPixel(surface, x, rect.top);
  if (lastY > rect.top)
    for (int x = rect.left; x <= lastX; ++x) InvertPixel(surface, x, lastY);
  for (int y = rect.top + 1; y < lastY; ++y) {
    InvertPixel(surface, rect.left, y);
    if (lastX > rect.left) InvertPixel(surface, lastX, y);
  }
}
