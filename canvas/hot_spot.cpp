#include "canvas/hot_spot.h"

#include <cmath>
#include <memory>
#include <cstdlib>
#include <iterator>
#include <algorithm>

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
  // Then the free angle: the hot spot goes to the result cell that takes
  // its pixel from the hot spot's place, the nearest of them to where the
  // turn would put it exactly.
  const double radians = angle * 3.14159265358979323846 / 180.0;
  const double dx = tx - W / 2;
  const double dy = ty - H / 2;
  const double exactX = W / 2 + dx * std::cos(radians) + dy * std::sin(radians);
  const double exactY = H / 2 + dy * std::cos(radians) - dx * std::sin(radians);
  // Two 256 x 256 cell tables are too large for the stack.
  auto work = std::make_unique<RotateWork>();
  RotateWork& probe = *work;
  probe.right = W - 1;
  probe.bottom = H - 1;
  probe.angle = angle;
  std::fill(std::begin(probe.source), std::end(probe.source), FRESH_CELL);
  probe.source[CellIndex(tx, ty)] = 0;
  RotateByAngle(probe);
  int x = -1;
  int y = -1;
  double best = 0;
  for (int j = 0; j < W; ++j)
    for (int i = 0; i < H; ++i) {
      if (probe.result[CellIndex(j, i)] != 0) continue;
      const double distance = (j - exactX) * (j - exactX) + (i - exactY) * (i - exactY);
      if (x < 0 || distance < best) x = j, y = i, best = distance;
    }
  // Sampling may drop the pixel altogether; the hot spot then goes to the
  // cell nearest its exact place, unless that lies outside the selection.
  if (x < 0) {
    x = static_cast<int>(std::lround(exactX));
    y = static_cast<int>(std::lround(exactY));
    if (x < 0 || y < 0 || x >= W || y >= H) return;
  }
  tab.hotSpotX = static_cast<std::uint8_t>(s.left + x);
  tab.hotSpotY = static_cast<std::uint8_t>(s.top + y);
}
