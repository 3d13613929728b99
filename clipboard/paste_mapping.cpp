#include "clipboard/paste_mapping.h"

#include <algorithm>
#include <utility>

#include "clipboard/color_picture.h"
#include "palette/colour_math.h"
#include "palette/colour_reduction.h"

CellRect SelectionOnImage(const ImageTab& tab) {
  const int lastX = std::max(static_cast<int>(tab.width), 1) - 1;
  const int lastY = std::max(static_cast<int>(tab.height), 1) - 1;
  CellRect rect{std::clamp<int>(tab.selection.left, 0, lastX), std::clamp<int>(tab.selection.top, 0, lastY),
                std::clamp<int>(tab.selection.right, 0, lastX), std::clamp<int>(tab.selection.bottom, 0, lastY)};
  if (rect.left > rect.right) std::swap(rect.left, rect.right);
  if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
  return rect;
}

void MapPictureToPalette(const ImageTab& tab, const RasterSurface& picture, const ColorRef* colours,
                         PixelCell* indexPicture) {
  const CellRect target = SelectionOnImage(tab);
  const int width = target.right - target.left + 1;
  const int height = target.bottom - target.top + 1;
  ColorPicture scaled = MakeColorPicture(width, height);
  RasterSurface surface = scaled.Surface();
  ShrinkCopy(picture, 0, 0, picture.width, picture.height, surface, width, height);
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
