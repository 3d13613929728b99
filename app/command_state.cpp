#include "app/command_state.h"

#include "app/command_ids.h"
#include "app/kept_tab_commands.h"
#include "app/menus.h"
#include "app/toolbar.h"
#include "canvas/edit_view.h"
#include "canvas/pen_tools.h"
#include "canvas/hot_spot.h"
#include "palette/palette_window.h"
#include "model/tab_lifecycle.h"
#include "platform/clipboard.h"

namespace {

void SetBoth(int id, bool enabled) {
  SetMenuEnabled(id, enabled);
  SetButtonEnabled(id, enabled);
}

void RefreshFileGroup(const ImageTab* tab) {
  const bool hasTab = tab != nullptr;
  SetBoth(CMD_SAVE, hasTab);
  SetMenuEnabled(CMD_SAVE_AS, hasTab);
  SetMenuEnabled(CMD_EXPORT_XCURSOR, hasTab);
  SetMenuEnabled(CMD_CURSOR_TEST_AREA, hasTab);
  SetMenuEnabled(CMD_EXPORT_CURSOR_THEME, hasTab);
  SetMenuEnabled(CMD_EXPORT_ICON_SET, hasTab);
  SetMenuEnabled(CMD_FRAME_TIME, hasTab);
  SetMenuEnabled(CMD_ICON_TEST_SHEET, hasTab);
  SetButtonEnabled(CMD_OPEN_PALETTE, hasTab);
  SetButtonEnabled(CMD_SAVE_PALETTE, hasTab);
  SetMenuEnabled(CMD_WINDOWS_PALETTE_16, hasTab);
  SetMenuEnabled(CMD_WINDOWS_PALETTE_256, hasTab);
  SetBoth(CMD_DELETE_TAB, hasTab);
}

void RefreshEditGroup(const ImageTab* tab) {
  SetBoth(CMD_UNDO, tab != nullptr && tab->undoFirst != nullptr && tab->undoCurrent != tab->undoFirst);
  SetBoth(CMD_REDO, tab != nullptr && tab->undoCurrent != tab->undoLast);
  for (int id : {CMD_CUT, CMD_COPY, CMD_DELETE}) SetMenuEnabled(id, tab != nullptr);
  const bool picture = ClipboardHasPicture();
  for (int id : {CMD_PASTE, CMD_PASTE_TRANSPARENT, CMD_PASTE_NEAREST, CMD_PASTE_FLOATING, CMD_PASTE_FLOATING_AS_IS})
    SetMenuEnabled(id, picture);
  SetButtonEnabled(CMD_PASTE_NEAREST, picture);
  SetButtonEnabled(CMD_PASTE_MENU, picture);
  SetMenuEnabled(CMD_CONVERT_TO_TRUE_COLOUR, tab != nullptr && !IsTrueColour(*tab));
  SetMenuEnabled(CMD_CONVERT_TO_INDEXED, tab != nullptr && IsTrueColour(*tab));
}

// The command that chooses a pen mode.
int ToolCommand(int mode) { return mode <= PEN_CIRCLE ? CMD_RANGE_SELECT + mode : CMD_RECTANGLE + mode - PEN_RECTANGLE; }

void RefreshPenGroup(const ImageTab* tab, int keepChecks) {
  const bool hasTab = tab != nullptr;
  if (hasTab) {
    SetMenuChecked(CMD_LEAVE_BACKGROUND, tab->penMask == 1);
    if (keepChecks == 0) SetButtonChecked(CMD_LEAVE_BACKGROUND, tab->penMask == 1);
    const int chosen = ToolCommand(static_cast<int>(tab->penMode));
    for (int mode = PEN_SELECT; mode <= PEN_MODE_LAST; ++mode) SetMenuChecked(ToolCommand(mode), ToolCommand(mode) == chosen);
    if (keepChecks == 0) SetButtonChecked(chosen, true);
  }
  SetMenuEnabled(CMD_LEAVE_BACKGROUND, hasTab);
  for (int mode = PEN_SELECT; mode <= PEN_MODE_LAST; ++mode) SetBoth(ToolCommand(mode), hasTab);
  SetMenuEnabled(CMD_HOT_SPOT_TOOL, hasTab);
  if (hasTab) SetMenuChecked(CMD_HOT_SPOT_TOOL, tab->penMode == static_cast<std::uint32_t>(PEN_HOT_SPOT));
  for (int id : {CMD_GRID, CMD_LEAVE_BACKGROUND}) SetButtonEnabled(id, hasTab);
  SetBoth(CMD_TEXT, hasTab);
  SetMenuEnabled(CMD_GRID, hasTab);
  SetMenuEnabled(CMD_PICK_COLOR, hasTab);
  // While a range selection is being drawn, the buttons that act on the
  // selection wait for it.
  const bool selectionReady = hasTab && (tab->penMode != 0 || tab->dragState == -1);
  for (int id : {CMD_CUT, CMD_COPY, CMD_DELETE}) SetButtonEnabled(id, selectionReady);
  for (int id = CMD_SHIFT_LEFT; id <= CMD_ROTATE; ++id) SetBoth(id, selectionReady);
}

}  // namespace

bool ClipboardHasPicture() { return ClipboardHoldsPicture(); }

bool RefusedOnTrueColourTab(int id) { return id >= CMD_ORGANIZE_PALETTE && id <= CMD_BATCH_COLORS; }

void RefreshCommandState(int groups, int keepChecks) {
  const ImageTab* tab = CurrentTab();
  SetButtonChecked(CMD_GRID, grid == 1);
  SetMenuChecked(CMD_GRID, grid == 1);
  if (groups & GROUP_FILE) RefreshFileGroup(tab);
  if (groups & GROUP_EDIT) RefreshEditGroup(tab);
  if (groups & GROUP_PEN) RefreshPenGroup(tab, keepChecks & 0xFFFF);
  SetButtonEnabled(CMD_NEW_PALETTE, false);
  EnablePaletteButtons(tab == nullptr || !IsTrueColour(*tab));
  RefreshKeptTabState(tab);
}
