#pragma once
// Where the palette window puts the cells of each palette size, and which
// entry a point of the window falls on.

#include <cstdint>

#include "model/image_tab.h"

// Client height of the cell area: a click below it is not on a cell.
constexpr int PALETTE_CELL_AREA_BOTTOM = 180;

// The cell of the entry as left, top, right, bottom, right and bottom
// exclusive. Neighbouring cells share one pixel column or row, so their
// outlines merge into one line.
CellRect PaletteCellRect(int index, std::uint8_t colorCode);

// The entry under a client point taken with 16-bit coordinates. Points left
// of or above the first cell fall into the first column or row, points
// beyond the last into the last one, so the result is always a valid entry.
int PaletteIndexAt(int x, int y, std::uint8_t colorCode);
