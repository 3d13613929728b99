#include "model/image_tab.h"

#include <algorithm>
#include <cstdio>

int PaletteSize(const ImageTab& tab) { return ColorCountOfCode(tab.colorCode); }

int ColorCountOfCode(std::uint8_t colorCode) { return colorCode == 0 ? 256 : colorCode; }

PixelCell CellValueAtPoint(int x, int y, const ImageTab* tab) {
  if (tab == nullptr || tab->cellSize == 0) return NO_CELL;
  const unsigned ux = static_cast<std::uint16_t>(x);
  const unsigned uy = static_cast<std::uint16_t>(y);
  if (ux < EDIT_ORIGIN || uy < EDIT_ORIGIN) return NO_CELL;
  const unsigned column = (ux - EDIT_ORIGIN) / tab->cellSize;
  const unsigned row = (uy - EDIT_ORIGIN) / tab->cellSize;
  if (column >= tab->width || row >= tab->height) return NO_CELL;
  return CellAt(*tab, static_cast<int>(column), static_cast<int>(row));
}

bool IsTabChanged(const ImageTab& tab) {
  const UndoNode* saved = tab.savedSnapshot != nullptr ? tab.savedSnapshot : tab.undoFirst;
  return tab.undoCurrent != saved;
}

void FormatTabTitle(ImageTab& tab, int width, int height, std::uint8_t colorCode) {
  std::snprintf(tab.title, sizeof tab.title, " %dx%dx%d ", width, height, ColorCountOfCode(colorCode));
}

void FormatTrueColourTitle(ImageTab& tab, int width, int height) {
  std::snprintf(tab.title, sizeof tab.title, " %dx%d 32-bit ", width, height);
}

void ClearTabPixels(ImageTab& tab) {
  for (int x = 0; x < tab.width; ++x)
    for (int y = 0; y < tab.height; ++y) CellAt(tab, x, y) = FreshCellOf(tab);
}

void ClearSelectionArea(ImageTab& tab) {
  // The selection is kept inside the image by the tools; clamp all the same so
  // a stale rectangle can never write outside the cell table.
  const int right = std::min<int>(tab.selection.right, tab.width - 1);
  const int bottom = std::min<int>(tab.selection.bottom, tab.height - 1);
  for (int x = std::max(0, tab.selection.left); x <= right; ++x)
    for (int y = std::max(0, tab.selection.top); y <= bottom; ++y) CellAt(tab, x, y) = FreshCellOf(tab);
}
