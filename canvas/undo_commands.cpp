#include "canvas/undo_commands.h"

#include "canvas/pen_tools.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "model/undo_history.h"
#include "platform/modal.h"

namespace {

void ShowRestoredSnapshot(ImageTab& tab) { Announce(&tab, CHANGE_PIXELS | CHANGE_PALETTE | CHANGE_HISTORY); }

// An action under way is ended first; the selection falls back to the whole
// image unless a finished range selection is in place.
ImageTab* TabReadyForHistoryStep() {
  ImageTab* tab = CurrentTab();
  if (tab != nullptr && (tab->dragState != -1 || tab->penMode != PEN_SELECT)) EndToolAction(*tab, 1);
  return tab;
}

}  // namespace

void RecordUndo(ImageTab& tab) { Announce(&tab, CHANGE_RECORD_UNDO); }

void ReportMissingSnapshot() { ShowReport(UNDO_MEMORY_FAILED); }

void ReportDroppedSteps() {
  static bool told = false;
  if (told) return;
  told = true;
  ShowReport(UNDO_OLDEST_DROPPED);
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
