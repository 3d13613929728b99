#include "canvas/selection.h"

#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "model/change_hub.h"

void UpdateSelectionBand(ImageTab& tab) {
  tab.endX = tab.cursorX;
  tab.endY = tab.cursorY;
  tab.selection = NormalisedRect(tab.anchorX, tab.anchorY, tab.endX, tab.endY);
  DrawSelectionFrame(tab, false);
  InvalidateEditView();
}

void DeleteSelection(ImageTab& tab) {
  ClearSelectionArea(tab);
  Announce(&tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
}
