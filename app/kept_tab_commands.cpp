#include "app/kept_tab_commands.h"

#include <QWidget>

#include "app/command_ids.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/toolbar.h"
#include "model/kept_entries.h"

namespace {

bool IdIn(int id, int first, int last) { return id >= first && id <= last; }

}  // namespace

bool RefusedOnKeptTab(int id) {
  return IdIn(id, CMD_CUT, CMD_DELETE) || IdIn(id, CMD_SHIFT_LEFT, CMD_ROTATE) || id == CMD_LEAVE_BACKGROUND ||
         IdIn(id, CMD_RANGE_SELECT, CMD_CIRCLE) || id == CMD_TEXT || id == CMD_OPEN_PALETTE ||
         IdIn(id, CMD_ORGANIZE_PALETTE, CMD_BATCH_COLORS) || id == CMD_UNDO || id == CMD_REDO ||
         IdIn(id, CMD_CONVERT_TO_TRUE_COLOUR, CMD_CONVERT_TO_INDEXED);
}

void RefreshKeptTabState(const ImageTab* tab) {
  const bool kept = tab != nullptr && IsKeptTab(*tab);
  SetMenuEnabled(CMD_MAKE_EDITABLE_COPY, kept);
  if (mainWindows.paletteWindow != nullptr) mainWindows.paletteWindow->setEnabled(tab != nullptr && !kept);
  if (!kept) return;
  for (int id = CMD_SAVE; id <= CMD_MAKE_EDITABLE_COPY; ++id) {
    if (!RefusedOnKeptTab(id)) continue;
    SetMenuEnabled(id, false);
    SetButtonEnabled(id, false);
  }
}
