#include "palette/palette_commands.h"

#include <QPoint>
#include <QWidget>

#include "canvas/edit_view.h"
#include "canvas/undo_commands.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "palette/batch_colour_dialogs.h"
#include "palette/colour_math.h"
#include "palette/reduce_colors_dialog.h"
#include "platform/modal.h"
#include "platform/window_handles.h"

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
  Announce(tab, CHANGE_PALETTE | CHANGE_RECORD_UNDO);
}

void CommandReduceColors() {
  if (PaletteCommandTab() == nullptr) return;
  // The dialog puts its top-left corner on the palette window's.
  const QPoint corner =
      windowHandles.paletteWindow != nullptr ? windowHandles.paletteWindow->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
  ReduceColorsDialog(corner);
}

void CommandBatchColorChange() {
  ImageTab* tab = PaletteCommandTab();
  if (tab == nullptr) return;
  // The rings that mark chosen pixels need the room of the grid lines, so
  // the image is shown without them until both dialogs are closed.
  RepaintEditViewWithoutGrid(*tab);
  BatchSelection selection;
  if (BatchSelectDialog(selection) == IDOK) {
    RepaintEditViewWithoutGrid(*tab);
    if (BatchShiftDialog(selection) == IDOK) RecordUndo(*tab);
  }
  Announce(tab, CHANGE_PALETTE | CHANGE_PIXELS);
}
