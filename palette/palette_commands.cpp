#include "palette/palette_commands.h"

#include "canvas/undo_commands.h"
#include "model/tab_lifecycle.h"
#include "palette/colour_math.h"
#include "palette/palette_window.h"

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

// The colour reduction dialog is not built yet; until it is, the button
// does nothing.
void CommandReduceColors() {}

// The batch colour change dialogs are not built yet; until they are, the
// button does nothing.
void CommandBatchColorChange() {}
