#include "canvas/cell_look.h"

#include <algorithm>

namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

CellKind KindOfCell(const ImageTab& tab, PixelCell value) {
  if ((value & CELL_MASK_BIT) == 0) return CellKind::Opaque;
  return (tab.palette[value & CELL_INDEX_BITS] & 0xFFFFFFu) == 0 ? CellKind::Transparent : CellKind::Inverted;
}

ColorRef CompositeOver(std::uint32_t argb, ColorRef background) {
  const std::uint32_t alpha = argb >> 24;
  if (alpha == 0xFF) return ColorOfArgb(argb);
  if (alpha == 0) return background & 0xFFFFFFu;
  const ColorRef color = ColorOfArgb(argb);
  ColorRef mixed = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t front = color >> shift & 0xFFu;
    const std::uint32_t back = background >> shift & 0xFFu;
    const std::uint32_t channel = (front * alpha + back * (255 - alpha) + 127) / 255;
    mixed |= channel << shift;
  }
  return mixed;
}

ColorRef CheckerColor(int x, int y) {
  return ((FloorDiv(x, CHECKER_SQUARE) + FloorDiv(y, CHECKER_SQUARE)) & 1) == 0 ? CHECKER_LIGHT : CHECKER_DARK;
}

void FillBackground(RasterSurface& surface, const PixelRect& rect, const CellBackground& background) {
  if (!background.checker) {
    FillPixelRect(surface, rect, background.color);
    return;
  }
  const int left = std::max(rect.left, 0), right = std::min(rect.right, surface.width);
  const int top = std::max(rect.top, 0), bottom = std::min(rect.bottom, surface.height);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      surface.pixels[y * surface.stride + x] = PixelOfColor(background.At(x, y));
}

void FillCompositeRect(RasterSurface& surface, const PixelRect& rect, std::uint32_t argb,
                       const CellBackground& background) {
  // An opaque cell, or any cell over one colour, is one colour throughout.
  if (!background.checker || argb >> 24 == 0xFF) {
    FillPixelRect(surface, rect, CompositeOver(argb, background.At(rect.left, rect.top)));
    return;
  }
  const int left = std::max(rect.left, 0), right = std::min(rect.right, surface.width);
  const int top = std::max(rect.top, 0), bottom = std::min(rect.bottom, surface.height);
  // The checkerboard has two colours, so each cell has only two mixes.
  const ColorRef onLight = CompositeOver(argb, CHECKER_LIGHT);
  const ColorRef onDark = CompositeOver(argb, CHECKER_DARK);
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x)
      surface.pixels[y * surface.stride + x] = PixelOfColor(background.At(x, y) == CHECKER_LIGHT ? onLight : onDark);
}

void DrawInvertedMark(RasterSurface& surface, const PixelRect& rect, ColorRef color,
                      const CellBackground& background) {
  PixelRect area = rect;
  if (area.right <= area.left || area.bottom <= area.top) area = {rect.left, rect.top, rect.left + 1, rect.top + 1};
  const int side = std::max(area.right - area.left, area.bottom - area.top);
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, surface.height); ++y)
    for (int x = std::max(area.left, 0); x < std::min(area.right, surface.width); ++x) {
      // On or below the diagonal from the upper-right to the lower-left
      // corner: the screen as Windows draws it.
      const bool shown = (x - area.left) + (y - area.top) >= side - 1;
      const ColorRef pixel = shown ? (background.At(x, y) ^ color) & 0xFFFFFFu : color;
      surface.pixels[y * surface.stride + x] = PixelOfColor(pixel);
    }
}
