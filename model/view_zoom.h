#pragma once
// How a tab is shown in the edit view: fitted to the view, or at a fixed
// cell size with a scroll position. Each tab keeps its own for as long as
// the program runs; a new tab starts fitted.

#include <cstdint>

struct ViewZoom {
  // Screen pixels per cell; 0 = fitted to the view.
  std::int32_t cellSize = 0;
  // The view's left and top edges in the pixels of the whole zoomed image
  // with its margins; always 0 when fitted.
  std::int32_t scrollX = 0;
  std::int32_t scrollY = 0;
};
