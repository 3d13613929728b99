#pragma once
// A block of cells that floats above an image until it is placed: a pasted
// picture or the lifted content of a selection. It covers the cells under
// it in the view only; the image's own cells stay as they are until the
// block is placed.

#include "model/image_tab.h"

struct FloatingBlock {
  bool active = false;
  // Size in cells, 1 to 64 each.
  int width = 0;
  int height = 0;
  // The image cell under the block's top-left cell; the block may reach
  // past any edge of the image, and only its cells over the image are placed.
  int left = 0;
  int top = 0;
  // Column-major like the tab's cells: cell (x, y) is cells[x * STORE_SIZE + y].
  PixelCell cells[CELL_COUNT] = {};
  // The masked cells are a pasted picture's transparent pixels: placed, they
  // must sit on a black palette entry, so that the screen shows through
  // unchanged. A lifted selection's masked cells keep their colours.
  bool blackUnderMask = false;
};

// Whether the block covers image cell (x, y), and the value it shows there.
bool BlockCovers(const FloatingBlock& block, int x, int y);
PixelCell BlockCellAt(const FloatingBlock& block, int x, int y);

// The part of the block that lies over the image, or false when none does.
bool BlockOnImage(const FloatingBlock& block, const ImageTab& tab, CellRect& area);

// Writes the block's cells over the image into the tab.
void PlaceBlock(const FloatingBlock& block, ImageTab& tab);

// Takes the cells of the area (inclusive, inside the image) into a block at
// the same place and sets them in the tab to FRESH_CELL, as a cut would.
void LiftArea(ImageTab& tab, const CellRect& area, FloatingBlock& block);

// Where a block of the given size goes when it is pasted: the top-left of
// the selection when one is drawn, otherwise the first cell the view shows.
void PastePlace(const ImageTab& tab, bool selectionDrawn, int firstVisibleX, int firstVisibleY, int& left, int& top);
