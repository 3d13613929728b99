#include "canvas/text_cells.h"

#include <algorithm>
#include <cstdlib>

#include "canvas/pen_algorithms.h"
#include "platform/scroll_request.h"

TextSettings textSettings;

TextCellMask MarkTextCells(const RasterSurface& canvas, ColorRef backColor, int originX, int originY, int width,
                           int height) {
  TextCellMask mask;
  width = std::clamp(width, 0, STORE_SIZE);
  height = std::clamp(height, 0, STORE_SIZE);
  for (int y = 0; y < height; ++y) {
    const int py = originY + y;
    if (py < 0 || py >= canvas.height) continue;
    for (int x = 0; x < width; ++x) {
      const int px = originX + x;
      if (px < 0 || px >= canvas.width) continue;
      if (SurfacePixel(canvas, px, py) != (backColor & 0xFFFFFFu)) mask.set(CellIndex(x, y));
    }
  }
  return mask;
}

int CommitTextCells(ImageTab& tab, const TextCellMask& mask) {
  const PixelCell pen = PenCell(tab);
  int stored = 0;
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y)
      if (mask.test(CellIndex(x, y))) {
        CellAt(tab, x, y) = pen;
        ++stored;
      }
  return stored;
}

TextCoverage ReadTextCoverage(const RasterSurface& canvas, ColorRef backColor, ColorRef textColor, int originX,
                              int originY, int width, int height) {
  TextCoverage coverage(CELL_COUNT, 0);
  width = std::clamp(width, 0, STORE_SIZE);
  height = std::clamp(height, 0, STORE_SIZE);
  // The channel along which text and background lie furthest apart gives
  // the finest measure of how far a smoothed pixel leans to the text.
  int shift = 0;
  int span = 0;
  for (int s = 0; s < 24; s += 8) {
    const int d = std::abs(static_cast<int>(textColor >> s & 0xFFu) - static_cast<int>(backColor >> s & 0xFFu));
    if (d > span) span = d, shift = s;
  }
  const int back = static_cast<int>(backColor >> shift & 0xFFu);
  for (int y = 0; y < height; ++y) {
    const int py = originY + y;
    if (py < 0 || py >= canvas.height) continue;
    for (int x = 0; x < width; ++x) {
      const int px = originX + x;
      if (px < 0 || px >= canvas.width) continue;
      const ColorRef pixel = SurfacePixel(canvas, px, py);
      if (pixel == (backColor & 0xFFFFFFu)) continue;
      int amount = 255;
      if (span > 0) amount = std::clamp(std::abs(static_cast<int>(pixel >> shift & 0xFFu) - back) * 255 / span, 0, 255);
      // A pixel that differs from the background at all is touched, however
      // little it leans on the measured channel.
      coverage[static_cast<std::size_t>(CellIndex(x, y))] = static_cast<std::uint8_t>(std::max(amount, 1));
    }
  }
  return coverage;
}

PixelCell BlendOverCell(PixelCell dst, std::uint32_t src, int coverage) {
  const std::uint32_t sa = (src >> 24) * static_cast<std::uint32_t>(std::clamp(coverage, 0, 255)) / 255;
  const std::uint32_t da = dst >> 24;
  // Straight alpha: out = s * sa + d * da * (1 - sa), divided by the
  // resulting alpha, in units of 255 * 255.
  const std::uint32_t dWeight = da * (255 - sa);
  const std::uint32_t outA255 = sa * 255 + dWeight;
  if (outA255 == 0) return 0;
  std::uint32_t out = (outA255 + 127) / 255 << 24;
  for (int s = 0; s < 24; s += 8) {
    const std::uint32_t c = ((src >> s & 0xFFu) * sa * 255 + (dst >> s & 0xFFu) * dWeight + outA255 / 2) / outA255;
    out |= std::min(c, 255u) << s;
  }
  return TrueColourCell(out);
}

PixelCell TextCellOver(const ImageTab& tab, int x, int y, int coverage) {
  if ((tab.penMask & 1u) != 0) return 0;
  return BlendOverCell(CellAt(tab, x, y), tab.penColour, coverage);
}

int CommitTextCoverage(ImageTab& tab, const TextCoverage& coverage) {
  int touched = 0;
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) {
      const int amount = coverage[static_cast<std::size_t>(CellIndex(x, y))];
      if (amount == 0) continue;
      CellAt(tab, x, y) = TextCellOver(tab, x, y, amount);
      ++touched;
    }
  return touched;
}

void InvertDottedFrame(RasterSurface& surface, const PixelRect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  const auto invert = [&surface](int x, int y) {
    if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return;
    // The pattern is fixed to the surface, as a brush of alternating
    // pixels would lie, so neighbouring frames line up.
    if ((x + y) % 2 != 0) return;
    surface.pixels[y * surface.stride + x] ^= 0x00FFFFFFu;
  };
  const int lastX = rect.right - 1;
  const int lastY = rect.bottom - 1;
  for (int x = rect.left; x <= lastX; ++x) {
    invert(x, rect.top);
    if (lastY > rect.top) invert(x, lastY);
  }
  for (int y = rect.top + 1; y < lastY; ++y) {
    invert(rect.left, y);
    if (lastX > rect.left) invert(lastX, y);
  }
}

int NextTextScrollPosition(int position, int maximum, int code, int trackPosition) {
  switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
      return position > 0 ? position - 1 : position;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
      return position < maximum - 1 ? position + 1 : position;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      return std::clamp(trackPosition, 0, std::max(maximum, 0));
    default:
      return position;
  }
}

TextOffset TextOffsetOf(int hpos, int vpos, int vmax) { return {-hpos, vmax / 2 - vpos}; }

int PixelSizeForCellHeight(int cellHeight, int probeSize, int probeCellHeight) {
  if (cellHeight <= 0) return 1;
  if (probeSize <= 0 || probeCellHeight <= 0) return cellHeight;
  // Rounded to the nearest size; sizes and heights stay small (the size
  // control reaches 100), so the product cannot overflow.
  const long long size = (static_cast<long long>(cellHeight) * probeSize + probeCellHeight / 2) / probeCellHeight;
  return static_cast<int>(std::max(size, 1LL));
}

int FitPixelSize(int cellHeight, int estimate, const std::function<int(int)>& cellHeightAt) {
  int size = std::max(estimate, 1);
  while (size > 1 && cellHeightAt(size) > cellHeight) --size;
  // The estimate comes from one measurement and the font's rounding can
  // leave it a pixel or two short; the cell grows by at most a pixel or so
  // per size, so the climb ends within a few steps.
  const int largest = std::max(size, 2 * cellHeight + 2);
  while (size < largest && cellHeightAt(size) < cellHeight && cellHeightAt(size + 1) <= cellHeight) ++size;
  return size;
}

std::string FaceNameOfFamily(const std::string& family) {
  if (family.empty() || family.back() != ']') return family;
  const std::size_t open = family.rfind(" [");
  if (open == std::string::npos || open == 0) return family;
  return family.substr(0, open);
}

void AppendFaceName(std::vector<std::string>& names, const std::string& name) {
  if (!names.empty() && names.back() == name) return;
  names.push_back(name);
}

std::string FirstCharacters(const std::string& utf8, int count) {
  int characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    // Continuation bytes belong to the character before them.
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0u) == 0x80u) continue;
    if (characters == count) return utf8.substr(0, i);
    ++characters;
  }
  return utf8;
}
