#include "canvas/transforms.h"

#include <QImage>

#include "canvas/edit_view.h"
#include "canvas/preview.h"

namespace {

// Draws W x H cells of a work picture into a dialog canvas. A picture of
// up to 64 x 64 cells is centred in a 64 x 64 square 7 pixels in from the
// canvas corner, one pixel per cell; a transparent cell shows on the tab's
// background colour as at real size.
void DrawWorkPicture(QImage* canvas, const ImageTab& tab, const PixelCell* picture) {
  if (canvas == nullptr || canvas->isNull()) return;
  RasterSurface surface = SurfaceOf(*canvas);
  const int W = rotateWork.right - rotateWork.left + 1;
  const int H = rotateWork.bottom - rotateWork.top + 1;
  const ColorRef background = gridLineColor ^ 0xFFFFFFu;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      SetSurfacePixel(surface, x + (64 - W) / 2 + 7, y + (64 - H) / 2 + 7,
                      PreviewColor(tab, picture[CellIndex(x, y)], background));
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
