#pragma once
// Where the cells of an image lie in the edit view. The image's top-left
// cell starts at client point (16, 16); the margins are 16 pixels at the
// left and top and 8 at the right and bottom.

#include "canvas/raster.h"
#include "model/image_tab.h"

constexpr int EDIT_MARGIN_TOTAL = 24;
constexpr int MAX_CELL_SIZE = 255;

// Screen pixels per cell for an image of width x height in a client area:
// the smaller of the two quotients, kept within 1..255 because it is stored
// in eight bits and the mouse mapping divides by it.
int ComputeCellSize(int clientWidth, int clientHeight, int width, int height);

// The square of cell (x, y): s + 1 pixels wide, so neighbouring cells share
// their outline.
PixelRect CellSquare(int x, int y, int cellSize);

// The square of a tool-feedback cell: one pixel inside the cell, and one
// pixel smaller again without grid lines.
PixelRect ToolCellSquare(int x, int y, int cellSize, int grid);

// The inner rectangle of the selection frame, two pixels outside the outer
// grid lines of the selected cells; the frame also draws the rectangle one
// pixel larger around it.
PixelRect SelectionFrameRect(const CellRect& selection, int cellSize);

// The cell under a client point. Coordinates are taken as 16-bit unsigned
// values, so negative points lie far outside. Gives back false when the
// point lies on no cell of the tab.
bool CellFromPoint(int x, int y, const ImageTab& tab, int& column, int& row);

// The rectangle spanned by two cells, with the smaller coordinates as left
// and top.
CellRect NormalisedRect(int x0, int y0, int x1, int y1);

// The whole image, the selection's default.
CellRect WholeImage(const ImageTab& tab);
