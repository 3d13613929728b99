#include "canvas/transforms.h"

#include <QImage>
#include <algorithm>

#include "canvas/edit_view.h"
#include "canvas/preview.h"

namespace {

// Draws W x H cells of a work picture into a dialog canvas. A picture of
// up to 64 x 64 cells is centred in a 64 x 64 square 7 pixels in from the
// canvas corner, one pixel per cell; a larger one (a true-colour image)
// shows every second, third ... cell so that it fits the same square. A
// transparent cell shows on the tab's background colour as at real size.
void DrawWorkPicture(QImage* canvas, const ImageTab& tab, const PixelCell* picture) {
  if (canvas == nullptr || canvas->isNull()) return;
  RasterSurface surface = SurfaceOf(*canvas);
  const int W = rotateWork.right - rotateWork.left + 1;
  const int H = rotateWork.bottom - rotateWork.top + 1;
  const ColorRef background = gridLineColor ^ 0xFFFFFFu;
  const int step = (std::max(W, H) + 63) / 64;
  const int w = (W + step - 1) / step;
  const int h = (H + step - 1) / step;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      SetSurfacePixel(surface, x + (64 - w) / 2 + 7, y + (64 - h) / 2 + 7,
                      PreviewColor(tab, picture[CellIndex(x * step, y * step)], background));
}

}  // namespace

void TurnSource(QImage* before, const ImageTab& tab, int quarterTurns) {
  TurnSourceCells(rotateWork, tab, quarterTurns);
  DrawWorkPicture(before, tab, rotateWork.source);
}

void ShowRotateResult(const ImageTab& tab, QImage* after) {
  DrawWorkPicture(after, tab, rotateWork.result);
  const int W = rotateWork.right - rotateWork.left + 1;
  const int H = rotateWork.bottom - rotateWork.top + 1;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      PaintCell(tab.selection.left + x, tab.selection.top + y, rotateWork.result[CellIndex(x, y)], tab);
  InvalidateEditView();
}
