#include "app/commands.h"

#include "app/command_ids.h"
#include "model/new_tab_dialog.h"
#include "palette/palette_commands.h"

void DispatchCommand(unsigned commandWord) {
  switch (static_cast<int>(commandWord & 0xFFFF)) {
    case CMD_NEW_TAB: CommandNewTab(); break;
    case CMD_DELETE_TAB: CommandDeleteTab(); break;
    case CMD_ORGANIZE_PALETTE: CommandOrganizePalette(); break;
    case CMD_REDUCE_COLORS: CommandReduceColors(); break;
    case CMD_BATCH_COLOR_CHANGE: CommandBatchColorChange(); break;
    default: break;
  }
}
