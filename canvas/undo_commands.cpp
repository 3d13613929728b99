#include "canvas/undo_commands.h"

#include "app/command_state.h"
#include "canvas/edit_view.h"
#include "canvas/pen_tools.h"
#include "canvas/preview.h"
#include "canvas/undo_history.h"
#include "model/tab_lifecycle.h"
#include "palette/palette_window.h"
#include "platform/modal.h"

namespace {

void ShowRestoredSnapshot(ImageTab& tab) {
  RefreshCommandState(GROUP_EDIT, 1);
  RedrawPalette(&tab);
  RepaintEditView(&tab);
  RepaintPreview(&tab);
}

// An action under way is ended first; the selection falls back to the whole
// image unless a finished range selection is in place.
ImageTab* TabReadyForHistoryStep() {
  ImageTab* tab = CurrentTab();
  if (tab != nullptr && (tab->dragState != -1 || tab->penMode != PEN_SELECT)) EndToolAction(*tab, 1);
  return tab;
}

}  // namespace

void RecordUndo(ImageTab& tab) {
  if (!PushUndoSnapshot(tab)) {
    // The edit stays done; only its snapshot is missing.
    ShowReport(UNDO_MEMORY_FAILED);
    return;
  }
  RefreshCommandState(GROUP_EDIT, 1);
}

void UndoStep(ImageTab& tab) {
  if (StepUndoSnapshot(tab)) ShowRestoredSnapshot(tab);
}

void RedoStep(ImageTab& tab) {
  if (StepRedoSnapshot(tab)) ShowRestoredSnapshot(tab);
}

void CommandUndo() {
  if (ImageTab* tab = TabReadyForHistoryStep()) UndoStep(*tab);
}

void CommandRedo() {
  if (ImageTab* tab = TabReadyForHistoryStep()) RedoStep(*tab);
}
