#include "app/commands.h"

#include <QAbstractButton>

#include "app/command_ids.h"
#include "app/command_state.h"
#include "canvas/edit_view.h"
#include "canvas/pen_tools.h"
#include "canvas/selection.h"
#include "canvas/undo_commands.h"
#include "model/new_tab_dialog.h"

void DispatchCommand(unsigned commandWord, QObject* sender) {
  const int id = static_cast<int>(commandWord & 0xFFFF);
  const int code = static_cast<int>(commandWord >> 16);
  switch (id) {
    case CMD_NEW_TAB: CommandNewTab(); break;
    case CMD_DELETE_TAB: CommandDeleteTab(); break;
    case CMD_DELETE: CommandDeleteSelection(); break;
    case CMD_UNDO: CommandUndo(); break;
    case CMD_REDO: CommandRedo(); break;
    case CMD_GRID: {
      // The grid follows its button; without one the command just flips it.
      const auto* button = qobject_cast<const QAbstractButton*>(sender);
      CommandGridSwitch(button != nullptr ? button->isChecked() : grid == 0);
      break;
    }
    case CMD_LEAVE_BACKGROUND:
      CommandLeaveBackground(code, sender);
      RefreshCommandState(GROUP_PEN, code);
      break;
    case CMD_PEN_SELECT:
    case CMD_PEN_NORMAL:
    case CMD_PEN_FILL:
    case CMD_PEN_LINE:
    case CMD_PEN_CIRCLE:
      CommandPenMode(id);
      RefreshCommandState(GROUP_PEN, code);
      break;
    default: break;
  }
}
