#include "canvas/hot_spot.h"

#include <cmath>
#include <cstdlib>

#include "canvas/transform_algorithms.h"

namespace {

bool InSelection(const ImageTab& tab, int x, int y) {
  const CellRect& s = tab.selection;
  return x >= s.left && x <= s.right && y >= s.top && y <= s.bottom;
}

}  // namespace

bool PlaceHotSpot(ImageTab& tab, int x, int y) {
  if (x < 0 || y < 0 || x >= tab.width || y >= tab.height) return false;
  if (tab.hotSpotX == x && tab.hotSpotY == y) return false;
  tab.hotSpotX = static_cast<std::uint8_t>(x);
  tab.hotSpotY = static_cast<std::uint8_t>(y);
  return true;
}

void MoveHotSpotWithTransform(ImageTab& tab, int transform) {
  int x = tab.hotSpotX;
  int y = tab.hotSpotY;
  if (!InSelection(tab, x, y)) return;
  const CellRect& s = tab.selection;
  // The shifts wrap around inside the selection, as the cells do.
  switch (transform) {
    case SHIFT_LEFT: x = x == s.left ? s.right : x - 1; break;
    case SHIFT_RIGHT: x = x == s.right ? s.left : x + 1; break;
    case SHIFT_UP: y = y == s.top ? s.bottom : y - 1; break;
    case SHIFT_DOWN: y = y == s.bottom ? s.top : y + 1; break;
    case FLIP_LEFT_RIGHT: x = s.left + s.right - x; break;
    case FLIP_TOP_BOTTOM: y = s.top + s.bottom - y; break;
    default: return;
  }
  tab.hotSpotX = static_cast<std::uint8_t>(x);
  tab.hotSpotY = static_cast<std::uint8_t>(y);
}

void MoveHotSpotWithRotation(ImageTab& tab, int quarterTurns, int angle) {
  if (!InSelection(tab, tab.hotSpotX, tab.hotSpotY)) return;
  const CellRect& s = tab.selection;
  const int W = s.right - s.left + 1;
  const int H = s.bottom - s.top + 1;
  const int k = std::abs(W - H) / 2;
  // The hot spot's place in the selection, taken through the same quarter
  // turn as the cells (see TurnSourceCells).
  const int rx = tab.hotSpotX - s.left;
  const int ry = tab.hotSpotY - s.top;
  int tx = rx;
  int ty = ry;
  switch (quarterTurns & 3) {
    case 1:
      if (W >= H) tx = k + ry, ty = W - 1 - k - rx;
      else tx = ry - k, ty = k + W - 1 - rx;
      break;
    case 2: tx = W - 1 - rx, ty = H - 1 - ry; break;
    case 3:
      if (W >= H) tx = k + H - 1 - ry, ty = rx - k;
      else tx = H - 1 - k - ry, ty = k + rx;
      break;
  }
  if (tx < 0 || ty < 0 || tx >= W || ty >= H) return;
  // Then the free angle, counter-clockwise on screen about the cell
  // (W / 2, H / 2): with y downwards (dx, dy) goes to
  // (dx cos + dy sin, dy cos - dx sin).
  const double radians = angle * 3.14159265358979323846 / 180.0;
  const double dx = tx - W / 2;
  const double dy = ty - H / 2;
  const int x = W / 2 + static_cast<int>(std::lround(dx * std::cos(radians) + dy * std::sin(radians)));
  const int y = H / 2 + static_cast<int>(std::lround(dy * std::cos(radians) - dx * std::sin(radians)));
  if (x < 0 || y < 0 || x >= W || y >= H) return;
  tab.hotSpotX = static_cast<std::uint8_t>(s.left + x);
  tab.hotSpotY = static_cast<std::uint8_t>(s.top + y);
}
