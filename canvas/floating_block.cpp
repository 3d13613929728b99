#include "canvas/floating_block.h"

#include <algorithm>

bool BlockCovers(const FloatingBlock& block, int x, int y) {
  return block.active && x >= block.left && y >= block.top && x < block.left + block.width &&
         y < block.top + block.height;
}

PixelCell BlockCellAt(const FloatingBlock& block, int x, int y) {
  return block.cells[CellIndex(x - block.left, y - block.top)];
}

bool BlockOnImage(const FloatingBlock& block, const ImageTab& tab, CellRect& area) {
  area.left = std::max(block.left, 0);
  area.top = std::max(block.top, 0);
  area.right = std::min(block.left + block.width, static_cast<int>(tab.width)) - 1;
  area.bottom = std::min(block.top + block.height, static_cast<int>(tab.height)) - 1;
  return area.left <= area.right && area.top <= area.bottom;
}

void PlaceBlock(const FloatingBlock& block, ImageTab& tab) {
  CellRect area;
  if (!BlockOnImage(block, tab, area)) return;
  for (int x = area.left; x <= area.right; ++x)
    for (int y = area.top; y <= area.bottom; ++y) CellAt(tab, x, y) = BlockCellAt(block, x, y);
}

void LiftArea(ImageTab& tab, const CellRect& area, FloatingBlock& block) {
  block.active = true;
  block.left = area.left;
  block.top = area.top;
  block.width = area.right - area.left + 1;
  block.height = area.bottom - area.top + 1;
  for (int x = 0; x < block.width; ++x)
    for (int y = 0; y < block.height; ++y) {
      PixelCell& cell = CellAt(tab, area.left + x, area.top + y);
      block.cells[CellIndex(x, y)] = cell;
      cell = FreshCellOf(tab);
    }
}

void PastePlace(const ImageTab& tab, bool selectionDrawn, int firstVisibleX, int firstVisibleY, int& left, int& top) {
  if (selectionDrawn) {
    left = std::min(tab.selection.left, tab.selection.right);
    top = std::min(tab.selection.top, tab.selection.bottom);
  } else {
    left = std::clamp(firstVisibleX, 0, std::max(tab.width - 1, 0));
    top = std::clamp(firstVisibleY, 0, std::max(tab.height - 1, 0));
  }
}
