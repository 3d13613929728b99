#include "palette/palette_commands.h"

#include <QPoint>
#include <QWidget>

#include "app/main_window.h"
#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "canvas/undo_commands.h"
#include "model/tab_lifecycle.h"
#include "palette/batch_colour_dialogs.h"
#include "palette/colour_math.h"
#include "palette/palette_window.h"
#include "palette/reduce_colors_dialog.h"
#include "platform/modal.h"

namespace {

// The palette operations have nothing to order or reduce in a 2-colour
// image.
ImageTab* PaletteCommandTab() {
  ImageTab* tab = CurrentTab();
  return tab != nullptr && tab->colorCode != 2 ? tab : nullptr;
}

}  // namespace

void CommandOrganizePalette() {
  ImageTab* tab = PaletteCommandTab();
  if (tab == nullptr) return;
  OrganizePalette(*tab);
  // Every pixel keeps its colour, so the edit view and preview stay as
  // they are; only the palette window changes.
  RedrawPalette(tab);
  RecordUndo(*tab);
}

void CommandReduceColors() {
  if (PaletteCommandTab() == nullptr) return;
  // The dialog puts its top-left corner on the palette window's.
  const QPoint corner =
      mainWindows.paletteWindow != nullptr ? mainWindows.paletteWindow->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  ReduceColorsDialog(corner);
}

void CommandBatchColorChange() {
  ImageTab* tab = PaletteCommandTab();
  if (tab == nullptr) return;
  // The rings that mark chosen pixels need the room of the grid lines.
  const int savedGrid = grid;
  grid = 0;
  RepaintEditView(tab);
  BatchSelection selection;
  if (BatchSelectDialog(selection) == IDOK) {
    RepaintEditView(tab);
    if (BatchShiftDialog(selection) == IDOK) RecordUndo(*tab);
  }
  grid = savedGrid;
  RedrawPalette(tab);
  RepaintEditView(tab);
  RepaintPreview(tab);
}
