#include "app/commands.h"

#include "app/command_ids.h"
#include "app/version_dialog.h"
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"
#include "model/new_tab_dialog.h"

void DispatchCommand(unsigned commandWord) {
  switch (static_cast<int>(commandWord & 0xFFFF)) {
    case CMD_SAVE: CommandSave(); break;
    case CMD_OPEN: CommandOpen(); break;
    case CMD_NEW_TAB: CommandNewTab(); break;
    case CMD_DELETE_TAB: CommandDeleteTab(); break;
    case CMD_VERSION: ShowVersionDialog(); break;
    default: break;
  }
}
