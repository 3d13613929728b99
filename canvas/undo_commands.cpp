#include "canvas/undo_commands.h"

#include "app/command_state.h"
#include "canvas/undo_history.h"
#include "platform/modal.h"

void RecordUndo(ImageTab& tab) {
  if (!PushUndoSnapshot(tab)) {
    // The edit stays done; only its snapshot is missing.
    ShowReport(UNDO_MEMORY_FAILED);
    return;
  }
  RefreshCommandState(GROUP_EDIT, 1);
}
