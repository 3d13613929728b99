#include "canvas/zoom.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "canvas/cell_geometry.h"

int ZoomStep(int shownCellSize, int direction) {
  if (direction > 0) {
    for (int size : ZOOM_CELL_SIZES)
      if (size > shownCellSize) return size;
  } else if (direction < 0) {
    for (auto it = std::rbegin(ZOOM_CELL_SIZES); it != std::rend(ZOOM_CELL_SIZES); ++it)
      if (*it < shownCellSize) return *it;
  }
  return 0;
}

int ZoomedExtent(int cells, int cellSize) { return EDIT_MARGIN_TOTAL + cells * cellSize; }

ZoomFrame FrameZoom(const ViewZoom& zoom, int areaWidth, int areaHeight, int barThickness, int imageWidth,
                    int imageHeight) {
  ZoomFrame frame;
  frame.viewWidth = areaWidth;
  frame.viewHeight = areaHeight;
  if (zoom.cellSize <= 0) {
    // Fitted: the whole image is meant to be seen, so there is nothing to
    // scroll even where the smallest cell size overflows a tiny view.
    frame.cellSize = ComputeCellSize(areaWidth, areaHeight, imageWidth, imageHeight);
    return frame;
  }
  frame.cellSize = std::clamp(static_cast<int>(zoom.cellSize), 1, MAX_CELL_SIZE);
  const int fullWidth = ZoomedExtent(imageWidth, frame.cellSize);
  const int fullHeight = ZoomedExtent(imageHeight, frame.cellSize);
  // Each bar narrows the room of the other direction, so a second look
  // catches the bar that the first one made necessary.
  for (int pass = 0; pass < 2; ++pass) {
    frame.horizontalBar = fullWidth > frame.viewWidth;
    frame.verticalBar = fullHeight > frame.viewHeight;
    frame.viewWidth = areaWidth - (frame.verticalBar ? barThickness : 0);
    frame.viewHeight = areaHeight - (frame.horizontalBar ? barThickness : 0);
  }
  frame.viewWidth = std::max(frame.viewWidth, 1);
  frame.viewHeight = std::max(frame.viewHeight, 1);
  frame.maxScrollX = std::max(0, fullWidth - frame.viewWidth);
  frame.maxScrollY = std::max(0, fullHeight - frame.viewHeight);
  return frame;
}

void ClampScroll(ViewZoom& zoom, const ZoomFrame& frame) {
  zoom.scrollX = std::clamp(static_cast<int>(zoom.scrollX), 0, frame.maxScrollX);
  zoom.scrollY = std::clamp(static_cast<int>(zoom.scrollY), 0, frame.maxScrollY);
}

namespace {

// The scroll that keeps the image point under client coordinate p there
// when cells grow from oldSize to newSize. Whole cells and the pixel within
// the cell both scale, so the same cell stays under the point.
std::int32_t ScaledScroll(std::int32_t scroll, int p, int oldSize, int newSize) {
  const std::int64_t fromOrigin = static_cast<std::int64_t>(scroll) + p - EDIT_ORIGIN;
  std::int64_t scaled = fromOrigin * newSize;
  // Rounding toward minus infinity keeps points in the left margin in the
  // margin.
  scaled = scaled >= 0 ? scaled / oldSize : -((-scaled + oldSize - 1) / oldSize);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(scaled + EDIT_ORIGIN - p, INT32_MIN / 2, INT32_MAX / 2));
}

}  // namespace

void ZoomAround(ViewZoom& zoom, int oldCellSize, int newCellSize, int x, int y) {
  if (newCellSize <= 0 || oldCellSize <= 0) {
    zoom = ViewZoom{0, 0, 0};
    if (newCellSize > 0) zoom.cellSize = newCellSize;
    return;
  }
  zoom.scrollX = ScaledScroll(zoom.scrollX, x, oldCellSize, newCellSize);
  zoom.scrollY = ScaledScroll(zoom.scrollY, y, oldCellSize, newCellSize);
  zoom.cellSize = newCellSize;
}

CellSpan VisibleCells(int scroll, int viewSize, int cellSize, int cells) {
  if (cellSize <= 0 || cells <= 0) return {};
  // A cell reaches one pixel past its size: its outline is shared with the
  // next one.
  const int firstPixel = scroll - EDIT_ORIGIN - 1;
  const int lastPixel = scroll + viewSize - EDIT_ORIGIN;
  CellSpan span;
  span.first = std::clamp(firstPixel < 0 ? 0 : firstPixel / cellSize, 0, cells);
  span.end = std::clamp(lastPixel < 0 ? 0 : lastPixel / cellSize + 1, 0, cells);
  return span;
}
