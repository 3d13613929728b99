#include "clipboard/paste_one_to_one.h"

#include <algorithm>

#include "palette/colour_math.h"
#include "palette/colour_reduction.h"

void MapPictureOneToOne(const ImageTab& tab, const RasterSurface& picture, bool keepNumbers, FloatingBlock& block) {
  RasterSurface shown = picture;
  shown.width = std::clamp(picture.width, 1, MAX_IMAGE_SIZE);
  shown.height = std::clamp(picture.height, 1, MAX_IMAGE_SIZE);
  block.width = shown.width;
  block.height = shown.height;
  const int n = PaletteSize(tab);
  ColorRef numbered[256] = {};
  const ColorRef* colours = tab.palette;
  if (keepNumbers) {
    FindReducedPalette(n, shown, 0, 0, shown.width, shown.height, shown.width, shown.height, numbered);
    colours = numbered;
  }
  for (int y = 0; y < block.height; ++y)
    for (int x = 0; x < block.width; ++x) {
      const bool inside = x < picture.width && y < picture.height;
      const ColorRef colour = inside ? SurfacePixel(shown, x, y) : 0;
      block.cells[CellIndex(x, y)] = static_cast<PixelCell>(NearestPaletteIndex(colours, n, colour)) & CELL_INDEX_BITS;
    }
}
