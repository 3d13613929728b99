#include "clipboard/paste_mapping.h"

#include <algorithm>
#include <utility>

#include "clipboard/color_picture.h"
#include "palette/colour_math.h"

CellRect SelectionOnImage(const ImageTab& tab) {
  const int lastX = std::max(static_cast<int>(tab.width), 1) - 1;
  const int lastY = std::max(static_cast<int>(tab.height), 1) - 1;
  CellRect rect{std::clamp<int>(tab.selection.left, 0, lastX), std::clamp<int>(tab.selection.top, 0, lastY),
                std::clamp<int>(tab.selection.right, 0, lastX), std::clamp<int>(tab.selection.bottom, 0, lastY)};
  if (rect.left > rect.right) std::swap(rect.left, rect.right);
  if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
  return rect;
}

void StretchPicture(const RasterSurface& source, int x0, int y0, int srcW, int srcH, RasterSurface& target, int w,
                    int h) {
  if (srcW <= 0 || srcH <= 0) return;
  w = std::min(w, target.width);
  h = std::min(h, target.height);
  for (int ty = 0; ty < h; ++ty) {
    // 64-bit products: a large clipboard picture times a target size must
    // not overflow.
    const int firstY = static_cast<int>(static_cast<long long>(ty) * srcH / h);
    const int endY = std::max(static_cast<int>(static_cast<long long>(ty + 1) * srcH / h), firstY + 1);
    for (int tx = 0; tx < w; ++tx) {
      const int firstX = static_cast<int>(static_cast<long long>(tx) * srcW / w);
      const int endX = std::max(static_cast<int>(static_cast<long long>(tx + 1) * srcW / w), firstX + 1);
      ColorRef combined = 0xFFFFFFu;
      for (int sy = firstY; sy < endY; ++sy)
        for (int sx = firstX; sx < endX; ++sx) combined &= SurfacePixel(source, x0 + sx, y0 + sy);
      SetSurfacePixel(target, tx, ty, combined);
    }
  }
}

void MapPictureToPalette(const ImageTab& tab, const RasterSurface& picture, const ColorRef* colours,
                         PixelCell* indexPicture) {
  const CellRect target = SelectionOnImage(tab);
  const int width = target.right - target.left + 1;
  const int height = target.bottom - target.top + 1;
  ColorPicture scaled = MakeColorPicture(width, height);
  RasterSurface surface = scaled.Surface();
  StretchPicture(picture, 0, 0, picture.width, picture.height, surface, width, height);
  const int n = PaletteSize(tab);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      indexPicture[CellIndex(x, y)] =
          static_cast<PixelCell>(NearestPaletteIndex(colours, n, SurfacePixel(surface, x, y)));
}

void StorePastedPicture(ImageTab& tab, const PixelCell* indexPicture) {
  const CellRect target = SelectionOnImage(tab);
  for (int x = 0; x <= target.right - target.left; ++x)
    for (int y = 0; y <= target.bottom - target.top; ++y)
      CellAt(tab, target.left + x, target.top + y) = indexPicture[CellIndex(x, y)] & CELL_INDEX_BITS;
}
