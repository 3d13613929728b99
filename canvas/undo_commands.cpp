#include "canvas/undo_commands.h"

#include "canvas/pen_tools.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "model/undo_history.h"
#include "platform/modal.h"

namespace {

// A step across a conversion changes the tab's kind or size, and with them
// its label, tools and zoom: the views then show it afresh, as a tab opened.
void ShowRestoredSnapshot(ImageTab& tab, bool reshaped) {
  Announce(&tab, CHANGE_PIXELS | CHANGE_PALETTE | CHANGE_HISTORY |
                     (reshaped ? CHANGE_TABS | CHANGE_CURRENT_TAB | CHANGE_TOOL_CHECKS | CHANGE_PEN | CHANGE_SELECTION : 0u));
}

struct TabShape {
  explicit TabShape(const ImageTab& tab) : width(tab.width), height(tab.height), kind(tab.kind), colorCode(tab.colorCode) {}
  bool operator==(const TabShape&) const = default;
  int width, height;
  TabKind kind;
  std::uint8_t colorCode;
};

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
  const TabShape before(tab);
  if (StepUndoSnapshot(tab)) ShowRestoredSnapshot(tab, !(TabShape(tab) == before));
}

void RedoStep(ImageTab& tab) {
  const TabShape before(tab);
  if (StepRedoSnapshot(tab)) ShowRestoredSnapshot(tab, !(TabShape(tab) == before));
}

void CommandUndo() {
  if (ImageTab* tab = TabReadyForHistoryStep()) UndoStep(*tab);
}

void CommandRedo() {
  if (ImageTab* tab = TabReadyForHistoryStep()) RedoStep(*tab);
}
