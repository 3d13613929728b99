#include "app/status_line.h"

#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "canvas/cell_geometry.h"
#include "canvas/cell_look.h"
#include "canvas/edit_view.h"
#include "canvas/hot_spot_tool.h"
#include "canvas/pen_tools.h"
#include "model/kept_entries.h"
#include "model/tab_lifecycle.h"
#include "platform/translation.h"

namespace {

struct StatusLabels {
  QLabel* cell = nullptr;
  QLabel* dragSize = nullptr;
  QLabel* zoom = nullptr;
  QLabel* hotSpot = nullptr;
};

StatusLabels labels;

// A two-click tool between its first press and its end, when a size is
// worth showing.
bool Dragging(const ImageTab& tab) {
  return tab.dragState != -1 && IsTwoClickTool(tab.penMode);
}

std::string HexColor(ColorRef color) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", color & 0xFFu, color >> 8 & 0xFFu, color >> 16 & 0xFFu);
  return text;
}

}  // namespace

StatusTexts ComposeStatusTexts(const ImageTab* tab, bool pointerOver, int imageX, int imageY, TextLookup lookup) {
  StatusTexts texts;
  if (tab == nullptr) return texts;
  int column = 0;
  int row = 0;
  // A kept image has no cells to name; its picture is shown fitted, at the
  // scale the edit view drew it with (0 when reduced).
  if (IsKeptTab(*tab)) {
    texts.zoom = tab->cellSize > 0 ? FillText(lookup(STATUS_ZOOM_FIT), {std::to_string(tab->cellSize)})
                                   : lookup(STATUS_ZOOM_REDUCED);
    return texts;
  }
  if (pointerOver && CellFromPoint(imageX, imageY, *tab, column, row)) {
    const PixelCell value = CellAt(*tab, column, row);
    const int index = value & CELL_INDEX_BITS;
    const std::string x = std::to_string(column);
    const std::string y = std::to_string(row);
    // A masked cell shows the screen: unchanged under black, else XOR its
    // colour.
    const CellKind kind = KindOfCell(*tab, value);
    if (IsTrueColour(*tab)) {
      texts.cell = FillText(lookup(STATUS_CELL_RGBA), {x, y, HexColor(ColorOfArgb(value)), std::to_string(value >> 24)});
    } else if (kind == CellKind::Transparent) {
      texts.cell = FillText(lookup(STATUS_CELL_TRANSPARENT), {x, y, std::to_string(index)});
    } else if (kind == CellKind::Inverted) {
      texts.cell = FillText(lookup(STATUS_CELL_INVERTED), {x, y, std::to_string(index), HexColor(tab->palette[index])});
    } else {
      texts.cell = FillText(lookup(STATUS_CELL_COLOR), {x, y, std::to_string(index), HexColor(tab->palette[index])});
    }
  }
  if (Dragging(*tab)) {
    const int width = std::abs(tab->endX - tab->anchorX) + 1;
    const int height = std::abs(tab->endY - tab->anchorY) + 1;
    texts.dragSize = FillText(lookup(STATUS_DRAG_SIZE), {std::to_string(width), std::to_string(height)});
  }
  const std::string size = std::to_string(tab->cellSize);
  if (HotSpotShown(*tab))
    texts.hotSpot = FillText(lookup(STATUS_HOT_SPOT), {std::to_string(tab->hotSpotX), std::to_string(tab->hotSpotY)});
  texts.zoom = FillText(lookup(tab->zoom.cellSize > 0 ? STATUS_ZOOM_FIXED : STATUS_ZOOM_FIT), {size});
  return texts;
}

QWidget* CreateStatusLine(QWidget* client) {
  auto* line = new QWidget(client);
  line->setObjectName(QStringLiteral("statusLine"));
  auto* layout = new QHBoxLayout(line);
  layout->setContentsMargins(6, 0, 6, 0);
  layout->setSpacing(16);
  labels.cell = new QLabel(line);
  labels.cell->setObjectName(QStringLiteral("statusCell"));
  labels.dragSize = new QLabel(line);
  labels.dragSize->setObjectName(QStringLiteral("statusSize"));
  labels.zoom = new QLabel(line);
  labels.zoom->setObjectName(QStringLiteral("statusZoom"));
  // The cell's text grows and shrinks with the pointer; a fixed share of the
  // line, as wide as its longest text, keeps the other two from jumping
  // about and that text whole.
  const QString longest = QString::fromStdString(
      FillText(UiString(STATUS_CELL_INVERTED), {"63", "63", "255", "FFFFFF"}));
  labels.cell->setMinimumWidth(std::max(260, labels.cell->fontMetrics().horizontalAdvance(longest) + 8));
  layout->addWidget(labels.cell);
  layout->addWidget(labels.dragSize);
  labels.hotSpot = new QLabel(line);
  labels.hotSpot->setObjectName(QStringLiteral("statusHotSpot"));
  layout->addWidget(labels.hotSpot);
  layout->addStretch(1);
  layout->addWidget(labels.zoom);
  QObject::connect(line, &QObject::destroyed, [] {
    labels = StatusLabels{};
    editView.pointerShown = nullptr;
  });
  editView.pointerShown = RefreshStatusLine;
  return line;
}

void RefreshStatusLine() {
  if (labels.cell == nullptr) return;
  const StatusTexts texts =
      ComposeStatusTexts(CurrentTab(), editView.pointerOver, ImagePointX(editView.pointerX),
                         ImagePointY(editView.pointerY), UiString);
  labels.cell->setText(QString::fromStdString(texts.cell));
  labels.dragSize->setText(QString::fromStdString(texts.dragSize));
  labels.zoom->setText(QString::fromStdString(texts.zoom));
  labels.hotSpot->setText(QString::fromStdString(texts.hotSpot));
}

