#include "app/commands.h"

#include "app/command_ids.h"
#include "model/new_tab_dialog.h"

void DispatchCommand(unsigned commandWord) {
  switch (static_cast<int>(commandWord & 0xFFFF)) {
    case CMD_NEW_TAB: CommandNewTab(); break;
    case CMD_DELETE_TAB: CommandDeleteTab(); break;
    default: break;
  }
}
