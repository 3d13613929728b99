#include "canvas/hot_spot_tool.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "fileio/cursor_format.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"

bool HotSpotShown(const ImageTab& tab) {
  return tab.penMode == static_cast<std::uint32_t>(PEN_HOT_SPOT) || IsCursorName(tabSet.documentName);
}

void HotSpotToolPress(ImageTab& tab, int x, int y) {
  // The mark is drawn over the picture, so the whole view is shown again;
  // the release records the snapshot, as for a pen stroke.
  if (PlaceHotSpot(tab, x, y)) Announce(&tab, CHANGE_PIXELS);
}

void DrawHotSpotMark(QPainter& painter, const QPoint& origin) {
  const ImageTab* tab = CurrentTab();
  if (tab == nullptr || !HotSpotShown(*tab) || tab->cellSize == 0) return;
  PixelRect cell = CellSquare(tab->hotSpotX, tab->hotSpotY, tab->cellSize);
  cell.left -= editView.scrollX;
  cell.top -= editView.scrollY;
  cell.right -= editView.scrollX;
  const int size = cell.right - cell.left;
  const QPoint centre = origin + QPoint(cell.left + size / 2, cell.top + size / 2);
  const int reach = std::max(size / 2 + 3, 5);
  painter.save();
  for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::black), 1}}) {
    painter.setPen(QPen(colour, width));
    painter.drawLine(centre - QPoint(reach, 0), centre + QPoint(reach, 0));
    painter.drawLine(centre - QPoint(0, reach), centre + QPoint(0, reach));
    if (size >= 8) painter.drawEllipse(centre, size / 3, size / 3);
  }
  painter.restore();
}
