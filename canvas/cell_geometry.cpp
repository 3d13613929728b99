#include "canvas/cell_geometry.h"

#include <algorithm>
#include <cstdint>

int ComputeCellSize(int clientWidth, int clientHeight, int width, int height) {
  if (width <= 0 || height <= 0) return 1;
  const int byHeight = (clientHeight - EDIT_MARGIN_TOTAL) / height;
  const int byWidth = (clientWidth - EDIT_MARGIN_TOTAL) / width;
  return std::clamp(std::min(byHeight, byWidth), 1, MAX_CELL_SIZE);
}

PixelRect CellSquare(int x, int y, int cellSize) {
  const int left = EDIT_ORIGIN + x * cellSize;
  const int top = EDIT_ORIGIN + y * cellSize;
  return {left, top, left + cellSize + 1, top + cellSize + 1};
}

PixelRect ToolCellSquare(int x, int y, int cellSize, int grid) {
  const int shrink = grid == 1 ? 0 : 1;
  const int left = EDIT_ORIGIN + 1 + x * cellSize;
  const int top = EDIT_ORIGIN + 1 + y * cellSize;
  return {left, top, left + cellSize - shrink, top + cellSize - shrink};
}

PixelRect SelectionFrameRect(const CellRect& selection, int cellSize) {
  return {cellSize * selection.left + 15, cellSize * selection.top + 15, cellSize * (selection.right + 1) + 18,
          cellSize * (selection.bottom + 1) + 18};
}

bool CellFromPoint(int x, int y, const ImageTab& tab, int& column, int& row) {
  const unsigned ux = static_cast<std::uint16_t>(x);
  const unsigned uy = static_cast<std::uint16_t>(y);
  if (ux < EDIT_ORIGIN || uy < EDIT_ORIGIN || tab.cellSize == 0) return false;
  const unsigned cx = (ux - EDIT_ORIGIN) / tab.cellSize;
  const unsigned cy = (uy - EDIT_ORIGIN) / tab.cellSize;
  if (cx >= tab.width || cy >= tab.height) return false;
  column = static_cast<int>(cx);
  row = static_cast<int>(cy);
  return true;
}

CellRect NormalisedRect(int x0, int y0, int x1, int y1) {
  return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

CellRect WholeImage(const ImageTab& tab) { return {0, 0, tab.width - 1, tab.height - 1}; }
