#include "canvas/selection.h"

#include "canvas/cell_geometry.h"
#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "canvas/undo_commands.h"

void UpdateSelectionBand(ImageTab& tab) {
  tab.endX = tab.cursorX;
  tab.endY = tab.cursorY;
  tab.selection = NormalisedRect(tab.anchorX, tab.anchorY, tab.endX, tab.endY);
  DrawSelectionFrame(tab, false);
  InvalidateEditView();
}

void DeleteSelection(ImageTab& tab) {
  ClearSelectionArea(tab);
  RepaintEditView(&tab);
  RepaintPreview(&tab);
  RecordUndo(tab);
}
