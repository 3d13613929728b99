#include "clipboard/paste_alpha.h"

#include <algorithm>
#include <vector>

#include "palette/colour_math.h"

namespace {

bool Transparent(std::uint8_t alpha) { return alpha < PASTE_ALPHA_HALF; }

// The source pixels that fall on target line d, as the paste's stretching
// takes them: all of them where it shrinks, the nearest one where it
// enlarges.
void SourceLines(int d, int source, int target, int& start, int& end) {
  start = static_cast<int>(static_cast<std::int64_t>(d) * source / target);
  end = std::max(start + 1, static_cast<int>(static_cast<std::int64_t>(d + 1) * source / target));
  end = std::min(end, source);
}

}  // namespace

bool HasTransparentPixels(const PixelPicture& picture) {
  return std::any_of(picture.alpha.begin(), picture.alpha.end(), Transparent);
}

ColorPicture TransparentPixelsAs(const PixelPicture& picture, ColorRef colour) {
  ColorPicture copy;
  copy.width = picture.width;
  copy.height = picture.height;
  copy.pixels = picture.pixels;
  if (picture.alpha.size() != picture.pixels.size()) return copy;
  const std::uint32_t pixel = PixelOfColor(colour);
  for (std::size_t i = 0; i < copy.pixels.size(); ++i)
    if (Transparent(picture.alpha[i])) copy.pixels[i] = pixel;
  return copy;
}

void MarkTransparentCells(const PixelPicture& picture, int width, int height, PixelCell* indexPicture) {
  if (picture.empty() || picture.alpha.size() != static_cast<std::size_t>(picture.width) * picture.height) return;
  width = std::min(width, MAX_IMAGE_SIZE);
  height = std::min(height, MAX_IMAGE_SIZE);
  for (int x = 0; x < width; ++x) {
    int x0 = 0, x1 = 0;
    SourceLines(x, picture.width, width, x0, x1);
    for (int y = 0; y < height; ++y) {
      int y0 = 0, y1 = 0;
      SourceLines(y, picture.height, height, y0, y1);
      std::uint64_t sum = 0;
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx) sum += picture.alpha[static_cast<std::size_t>(sy) * picture.width + sx];
      const std::uint64_t count = static_cast<std::uint64_t>(x1 - x0) * static_cast<std::uint64_t>(y1 - y0);
      // Mean alpha below one half: sum / count < 128.
      if (sum < count * PASTE_ALPHA_HALF) indexPicture[CellIndex(x, y)] |= CELL_MASK_BIT;
    }
  }
}

bool StoreTransparentCells(ImageTab& tab, const PixelCell* indexPicture, int left, int top, int width, int height) {
  const auto masked = [&](int x, int y) {
    const int px = x - left;
    const int py = y - top;
    return px >= 0 && py >= 0 && px < width && py < height && px < MAX_IMAGE_SIZE && py < MAX_IMAGE_SIZE &&
           (indexPicture[CellIndex(px, py)] & CELL_MASK_BIT) != 0;
  };
  return StoreTransparentCellsWhere(tab, masked);
}

bool StoreTransparentCellsWhere(ImageTab& tab, const std::function<bool(int x, int y)>& masked) {
  bool any = false;
  std::vector<bool> used(256, false);
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) {
      if (masked(x, y))
        any = true;
      else
        used[CellAt(tab, x, y) & CELL_INDEX_BITS] = true;
    }
  if (!any) return false;
  const int n = PaletteSize(tab);
  int black = -1;
  for (int i = 0; i < n && black < 0; ++i)
    if ((tab.palette[i] & 0xFFFFFFu) == 0) black = i;
  for (int i = 0; i < n && black < 0; ++i)
    if (!used[static_cast<std::size_t>(i)]) {
      tab.palette[i] = 0;
      black = i;
    }
  if (black < 0) black = NearestPaletteIndex(tab.palette, n, 0);
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y)
      if (masked(x, y)) CellAt(tab, x, y) = static_cast<PixelCell>(black | CELL_MASK_BIT);
  return true;
}
