#pragma once
// The zoom of the edit view: the fixed cell sizes besides the fitted one,
// which part of the zoomed image the view shows, and where the scroll bars
// are needed. Plain arithmetic on client pixels; the edit view applies it.

#include "model/image_tab.h"

// The fixed cell sizes, smallest first.
inline constexpr int ZOOM_CELL_SIZES[] = {2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64};

// The fixed cell size one step larger (direction > 0) or smaller
// (direction < 0) than the cell size shown now, or 0 when there is none.
int ZoomStep(int shownCellSize, int direction);

// Width or height in pixels of the zoomed image with its margins.
int ZoomedExtent(int cells, int cellSize);

// What the view shows of a tab at its zoom, in a client area of
// areaWidth x areaHeight. A scroll bar takes barThickness pixels of the area
// and appears only when the image with its margins does not fit beside it.
struct ZoomFrame {
  int cellSize = 1;
  bool horizontalBar = false;
  bool verticalBar = false;
  // The client pixels left for the image beside the scroll bars.
  int viewWidth = 0;
  int viewHeight = 0;
  int maxScrollX = 0;
  int maxScrollY = 0;
};
ZoomFrame FrameZoom(const ViewZoom& zoom, int areaWidth, int areaHeight, int barThickness, int imageWidth,
                    int imageHeight);

// Keeps the scroll position inside what the frame allows.
void ClampScroll(ViewZoom& zoom, const ZoomFrame& frame);

// Changes the cell size from oldCellSize to newCellSize (0 = fitted) so that
// the image point under client point (x, y) stays under it, as far as the
// scroll range allows; clamping is left to the next frame.
void ZoomAround(ViewZoom& zoom, int oldCellSize, int newCellSize, int x, int y);

// The first and one-past-last column (or row) of cells that reach into a
// view of viewSize pixels scrolled by scroll.
struct CellSpan {
  int first = 0;
  int end = 0;
};
CellSpan VisibleCells(int scroll, int viewSize, int cellSize, int cells);
