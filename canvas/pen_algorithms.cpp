#include "canvas/pen_algorithms.h"

#include <cstdint>
#include <vector>

void FloodFillCells(ImageTab& tab, int x, int y, PixelCell target, PixelCell replacement,
                    const std::function<void(int, int)>& onCell) {
  if (target == replacement) return;
  if (x < 0 || y < 0 || x >= tab.width || y >= tab.height) return;
  struct Point {
    int x;
    int y;
  };
  std::vector<Point> pending;
  pending.reserve(256);
  pending.push_back({x, y});
  while (!pending.empty()) {
    const Point p = pending.back();
    pending.pop_back();
    PixelCell& cell = CellAt(tab, p.x, p.y);
    if (cell != target) continue;
    cell = replacement;
    if (onCell) onCell(p.x, p.y);
    // Pushed in reverse so that the left neighbour is visited first, then
    // right, up and down, as a recursive fill would.
    if (p.y + 1 < tab.height) pending.push_back({p.x, p.y + 1});
    if (p.y > 0) pending.push_back({p.x, p.y - 1});
    if (p.x + 1 < tab.width) pending.push_back({p.x + 1, p.y});
    if (p.x > 0) pending.push_back({p.x - 1, p.y});
  }
}

void DrawEllipseOutline(RasterSurface& surface, const PixelRect& rect, ColorRef color) {
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  if (w <= 2 || h <= 2) {
    // Every pixel of so narrow a box lies on its edge.
    FillPixelRect(surface, rect, color);
    return;
  }
  // Coordinates are doubled and measured from the centre of the box, so that
  // the centre and every pixel centre are whole numbers for even and odd
  // sizes alike. The ellipse passes through the centres of the outermost
  // pixels: X^2 / a^2 + Y^2 / b^2 = 1 with a = w - 1 and b = h - 1.
  const std::int64_t a = w - 1;
  const std::int64_t b = h - 1;
  const auto residual = [&](std::int64_t X, std::int64_t Y) {
    const std::int64_t f = b * b * X * X + a * a * Y * Y - a * a * b * b;
    return f < 0 ? -f : f;
  };
  // Each quarter is the mirror image of the others, which keeps the curve
  // symmetric about the centre and about both axes.
  const auto plot = [&](std::int64_t X, std::int64_t Y) {
    const int px = static_cast<int>((X + a) / 2);
    const int py = static_cast<int>((Y + b) / 2);
    const int mx = w - 1 - px;
    const int my = h - 1 - py;
    SetSurfacePixel(surface, rect.left + px, rect.top + py, color);
    SetSurfacePixel(surface, rect.left + mx, rect.top + py, color);
    SetSurfacePixel(surface, rect.left + px, rect.top + my, color);
    SetSurfacePixel(surface, rect.left + mx, rect.top + my, color);
  };
  // Walk the lower right quarter from the bottom of the box (on or next to
  // the vertical axis) to its right side (on or next to the horizontal
  // axis). Each step moves one pixel right, one pixel up, or both, and takes
  // the pixel whose centre lies closest to the curve. The walk never turns
  // back, so the quarter is one pixel thin and connected.
  //
  // In a box of even width the walk starts beside the vertical axis, and
  // its mirror image lies in the next column: a second pixel in that column
  // would fill a 2 x 2 block with it, so the walk leaves that column at
  // once. Likewise in a box of even height the row beside the horizontal
  // axis may hold only the last pixel, so that row is entered only at the
  // right side of the box.
  const bool pairedColumn = a % 2 == 1;
  const bool pairedRow = b % 2 == 1;
  const std::int64_t lowestY = b % 2;
  const auto mayEnterRow = [&](std::int64_t nextX, std::int64_t nextY) {
    return !pairedRow || nextY != lowestY || nextX == a;
  };
  std::int64_t X = a % 2;
  std::int64_t Y = b;
  plot(X, Y);
  while (X < a || Y > lowestY) {
    if (X >= a) {
      Y -= 2;
    } else if (Y <= lowestY) {
      X += 2;
    } else {
      const bool upAllowed = !(pairedColumn && X == 1) && mayEnterRow(X, Y - 2);
      const bool diagonalAllowed = mayEnterRow(X + 2, Y - 2);
      // Across is always allowed here: Y is above the paired row, which is
      // only ever entered at the right side.
      const std::int64_t diagonal = diagonalAllowed ? residual(X + 2, Y - 2) : INT64_MAX;
      const std::int64_t across = residual(X + 2, Y);
      const std::int64_t up = upAllowed ? residual(X, Y - 2) : INT64_MAX;
      if (diagonal <= across && diagonal <= up) {
        X += 2;
        Y -= 2;
      } else if (across <= up) {
        X += 2;
      } else {
        Y -= 2;
      }
    }
    plot(X, Y);
  }
}
