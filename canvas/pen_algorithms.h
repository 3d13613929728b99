#pragma once
// The cell algorithms of the pen tools: line tracing, flood fill and the
// ellipse outline of the circle tool.

#include <cstdlib>
#include <functional>

#include "canvas/raster.h"
#include "model/image_tab.h"

// The cell value that pen, fill, line, circle, the shapes and text write: on
// an indexed tab the pen's palette index with the "leave background" mask
// bit; on a true-colour tab the pen colour, or a transparent pixel while
// "leave background" is on, so that the switch works as an eraser there.
inline PixelCell PenCell(const ImageTab& tab) {
  if (IsTrueColour(tab)) return (tab.penMask & 1u) != 0 ? 0 : TrueColourCell(tab.penColour);
  return static_cast<PixelCell>(tab.penIndex + 256 * (tab.penMask & 1u));
}

// Visits the cells of the line from (x0, y0) to (x1, y1): it starts at the
// first point, ends exactly at the second, and steps one cell along the
// longer axis each time.
template <typename Visit>
void TraceLine(int x0, int y0, int x1, int y1, Visit&& visit) {
  const int sx = x0 < x1 ? 1 : -1;
  const int sy = y0 < y1 ? 1 : -1;
  const int dx = std::abs(x1 - x0);
  const int dy = std::abs(y1 - y0);
  int x = x0;
  int y = y0;
  if (dx > dy) {
    int e = dx / 2;
    for (int i = 0; i <= dx; ++i) {
      visit(x, y);
      x += sx;
      e -= dy;
      if (e < 0) {
        e += dx;
        y += sy;
      }
    }
  } else {
    int e = dy / 2;
    for (int i = 0; i <= dy; ++i) {
      visit(x, y);
      y += sy;
      e -= dx;
      if (e < 0) {
        e += dy;
        x += sx;
      }
    }
  }
}

// Sets the 4-connected region of cells equal to target (index and mask bit)
// that contains (x, y) to replacement, and reports every cell it sets. It
// keeps its own list of cells to visit instead of recursing, so a 64 x 64
// region cannot exhaust the call stack. Nothing happens when target equals
// replacement or when (x, y) does not hold target.
void FloodFillCells(ImageTab& tab, int x, int y, PixelCell target, PixelCell replacement,
                    const std::function<void(int, int)>& onCell);

// Draws the one-pixel outline of the ellipse inscribed in the rectangle: a
// closed curve that touches all four sides and is symmetric about the
// centre. Rectangles one or two pixels wide or high are drawn whole.
void DrawEllipseOutline(RasterSurface& surface, const PixelRect& rect, ColorRef color);
