#include "palette/palette_commands.h"

#include <QPoint>
#include <QWidget>

#include "app/main_window.h"
#include "canvas/undo_commands.h"
#include "model/tab_lifecycle.h"
#include "palette/colour_math.h"
#include "palette/palette_window.h"
#include "palette/reduce_colors_dialog.h"

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

// The batch colour change dialogs are not built yet; until they are, the
// button does nothing.
void CommandBatchColorChange() {}
