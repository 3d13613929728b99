#include "app/view_listeners.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "app/command_state.h"
#include "app/cursor_test_area.h"
#include "app/icon_test_sheet.h"
#include "app/main_window.h"
#include "app/status_line.h"
#include "app/tab_strip.h"
#include "app/unsaved_state.h"
#include "canvas/animation_player.h"
#include "canvas/edit_view.h"
#include "canvas/preview.h"
#include "canvas/undo_commands.h"
#include "model/change_hub.h"
#include "model/tab_lifecycle.h"
#include "palette/palette_window.h"
#include "platform/system_colors.h"

namespace {

// Brings the strip items in line with the strip order of the tab set: items
// whose tab is gone are removed, new tabs are appended. Tabs are only ever
// appended at the end or deleted one at a time, so the items before the
// first difference are already right.
void MatchStripItems() {
  int position = 0;
  while (position < StripItemCount()) {
    if (position < tabSet.tabCount && StripItemSlot(position) == SlotAtPosition(tabSet, position)) {
      StripKeepTitle(position, tabSet.tabs[StripItemSlot(position)].title);
      ++position;
    } else if (StripItemCount() > tabSet.tabCount) {
      StripRemoveItem(position);
    } else {
      break;
    }
  }
  for (int p = StripItemCount(); p < tabSet.tabCount; ++p) {
    const int slot = SlotAtPosition(tabSet, p);
    if (slot >= 0) StripInsertItem(p, tabSet.tabs[slot].title, slot);
  }
}

bool ShowPanels(ImageTab* tab, unsigned changes) {
  if (changes & CHANGE_TABS) {
    MatchStripItems();
    const bool anyTab = tabSet.tabCount > 0;
    if (mainWindows.backgroundBox != nullptr) mainWindows.backgroundBox->setEnabled(anyTab);
    if (mainWindows.paletteWindow != nullptr) mainWindows.paletteWindow->setEnabled(anyTab);
  }
  if (changes & CHANGE_CURRENT_TAB) StripSelect(tabSet.currentPosition);
  if (tab != nullptr && (changes & (CHANGE_CURRENT_TAB | CHANGE_BACKGROUND))) {
    if (mainWindows.backgroundBox != nullptr) {
      const QSignalBlocker quiet(mainWindows.backgroundBox);
      mainWindows.backgroundBox->setCurrentIndex(tab->backgroundIndex);
    }
    gridLineColor = BackgroundColor(tab->backgroundIndex) ^ 0xFFFFFF;
  }
  if (mainWindows.tabStrip != nullptr) mainWindows.tabStrip->update();
  return false;
}

bool ShowPalette(ImageTab* tab, unsigned) {
  RedrawPalette(tab);
  return false;
}

bool ShowPreview(ImageTab* tab, unsigned) {
  RepaintPreview(tab);
  RefreshCursorTestArea();
  RefreshIconTestSheet();
  FollowAnimation();
  return false;
}

bool ShowEditView(ImageTab* tab, unsigned) {
  RepaintEditView(tab);
  return false;
}

// The hub has taken the snapshot; a missing one is said, and the edit stays
// done.
bool ReportHistory(ImageTab* tab, unsigned changes) {
  if ((changes & CHANGE_HISTORY) != 0) {
    if (StepsDroppedByLastSnapshot() > 0) ReportDroppedSteps();
    return true;
  }
  if (tab != nullptr) ReportMissingSnapshot();
  return false;
}

bool ShowCommandStates(ImageTab*, unsigned changes) {
  int groups = 0;
  if (changes & (CHANGE_TABS | CHANGE_CURRENT_TAB)) groups |= GROUP_ALL;
  if (changes & (CHANGE_HISTORY | CHANGE_CLIPBOARD)) groups |= GROUP_EDIT;
  if (changes & CHANGE_TOOL) groups |= GROUP_PEN;
  RefreshCommandState(groups, (changes & CHANGE_TOOL_CHECKS) != 0 ? 0 : 1);
  // A tool chosen or ended changes what the status line says of a drag.
  RefreshStatusLine();
  return false;
}

bool ShowCaption(ImageTab*, unsigned) {
  // With no tab left nothing is open, and the caption is the one of the
  // start again rather than a prefix that names nothing.
  SetMainCaption(tabSet.tabCount > 0 ? CAPTION_PREFIX + tabSet.documentName : std::string(MAIN_CAPTION),
                 !AllTabsUnchanged(tabSet));
  ShowTabTooltips();
  // Tabs made or deleted, edits undone and the document's name (a cursor
  // or an icon) change what the test sheet shows.
  RefreshIconTestSheet();
  FollowAnimation();
  return false;
}

}  // namespace

void ListenToChanges() {
  Listen(VIEW_PANELS, ShowPanels);
  Listen(VIEW_PALETTE, ShowPalette);
  Listen(VIEW_PREVIEW, ShowPreview);
  Listen(VIEW_EDIT, ShowEditView);
  Listen(VIEW_HISTORY, ReportHistory);
  Listen(VIEW_COMMANDS, ShowCommandStates);
  Listen(VIEW_CAPTION, ShowCaption);
}
