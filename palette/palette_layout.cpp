#include "palette/palette_layout.h"

#include <algorithm>

namespace {

// Columns of the grid, the cell pitch and the cell extent for a palette size.
struct PaletteGrid {
  int columns;
  int pitch;
  int extent;
};

PaletteGrid GridOf(std::uint8_t colorCode) {
  switch (colorCode) {
    case 2: return {2, 88, 89};
    case 16: return {4, 44, 45};
    default: return {16, 11, 12};
  }
}

}  // namespace

CellRect PaletteCellRect(int index, std::uint8_t colorCode) {
  const PaletteGrid grid = GridOf(colorCode);
  const int count = grid.columns * (colorCode == 2 ? 1 : grid.columns);
  index = std::clamp(index, 0, count - 1);
  const int column = index % grid.columns;
  const int row = index / grid.columns;
  const int left = 4 + grid.pitch * column;
  // The two entries of a 2-colour palette are tall bars over the whole area.
  if (colorCode == 2) return {left, 4, left + grid.extent, 181};
  const int top = 4 + grid.pitch * row;
  return {left, top, left + grid.extent, top + grid.extent};
}

int PaletteIndexAt(int x, int y, std::uint8_t colorCode) {
  // Window messages carry 16-bit coordinates; C++ division truncates
  // toward zero, so x or y of 0..3 gives column or row 0.
  const int px = static_cast<std::uint16_t>(x);
  const int py = static_cast<std::uint16_t>(y);
  const PaletteGrid grid = GridOf(colorCode);
  const int last = grid.columns - 1;
  const int column = std::min((px - 4) / grid.pitch, last);
  if (colorCode == 2) return column;
  const int row = std::min((py - 4) / grid.pitch, last);
  return grid.columns * row + column;
}
