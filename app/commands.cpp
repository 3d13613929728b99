#include "app/commands.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QMenu>

#include "app/command_ids.h"
#include "app/command_state.h"
#include "app/cursor_test_area.h"
#include "app/file_commands.h"
#include "app/frame_time_dialog.h"
#include "app/icon_test_sheet.h"
#include "app/kept_tab_commands.h"
#include "app/language_menu.h"
#include "app/main_window.h"
#include "app/menus.h"
#include "app/new_tab_dialog.h"
#include "app/recent_files_menu.h"
#include "app/recovery.h"
#include "app/status_note.h"
#include "app/toolbar.h"
#include "app/user_guide.h"
#include "app/version_dialog.h"
#include "app/icon_set_dialog.h"
#include "canvas/edit_view.h"
#include "canvas/hot_spot.h"
#include "canvas/pen_tools.h"
#include "canvas/rotate_dialog.h"
#include "canvas/selection.h"
#include "canvas/text_tool.h"
#include "canvas/transforms.h"
#include "canvas/undo_commands.h"
#include "canvas/zoom_view.h"
#include "clipboard/clipboard_commands.h"
#include "clipboard/paste_floating.h"
#include "canvas/floating_paste.h"
#include "fileio/cursor_theme_export.h"
#include "fileio/plain_save.h"
#include "fileio/save_flow.h"
#include "fileio/xcursor_export.h"
#include "import/flow.h"
#include "import/kept_copy.h"
#include "import/depth_conversion_commands.h"
#include "model/change_hub.h"
#include "model/kept_entries.h"
#include "model/tab_lifecycle.h"
#include "palette/palette_commands.h"
#include "palette/palette_window.h"
#include "platform/modal.h"

// The transforms and pastes are numbered as the commands that ask for them,
// so that a command word passes straight through.
static_assert(SHIFT_LEFT == CMD_SHIFT_LEFT && SHIFT_RIGHT == CMD_SHIFT_RIGHT && SHIFT_UP == CMD_SHIFT_UP &&
              SHIFT_DOWN == CMD_SHIFT_DOWN && FLIP_LEFT_RIGHT == CMD_FLIP_HORIZONTAL &&
              FLIP_TOP_BOTTOM == CMD_FLIP_VERTICAL);
static_assert(PALETTE_ORGANIZE == CMD_ORGANIZE_PALETTE && PALETTE_REDUCE == CMD_REDUCE_COLORS &&
              PALETTE_BATCH == CMD_BATCH_COLORS);
static_assert(PASTE_AS_IS == CMD_PASTE && PASTE_TRANSPARENT == CMD_PASTE_TRANSPARENT &&
              PASTE_NEAREST == CMD_PASTE_NEAREST);

namespace {

// What a command acts on: the current tab (nullptr without tabs), the full
// command word and the sending control.
struct CommandContext {
  ImageTab* tab;
  unsigned word;
  QWidget* sender;
};

using CommandHandler = void (*)(const CommandContext&);

struct CommandRow {
  int firstId;
  int lastId;
  CommandHandler handler;
  // Commands that act on a tab do nothing without one.
  bool needsTab;
};

void Paste(const CommandContext& c) {
  ImageTab* tab = c.tab;
  if (tab == nullptr) {
    CommandNewTab();
    tab = CurrentTab();
    if (tab == nullptr) return;
  }
  if (PasteFromClipboard(*tab, c.word) != 1) return;
  Announce(tab, CHANGE_PIXELS | CHANGE_PALETTE | CHANGE_RECORD_UNDO);
}

void PasteAtOwnSize(const CommandContext& c) {
  ImageTab* tab = c.tab;
  if (tab == nullptr) {
    CommandNewTab();
    tab = CurrentTab();
    if (tab == nullptr) return;
  }
  PasteFloating(*tab, CommandIdOf(c.word) == CMD_PASTE_FLOATING_AS_IS);
}

// Commands that only change how the image is looked at leave a floating
// block floating; every other command places it first.
bool LeavesBlockFloating(int id) {
  return id == CMD_ZOOM_IN || id == CMD_ZOOM_OUT || id == CMD_ZOOM_FIT || id == CMD_GRID || id == CMD_SIZE_GRIP ||
         id == CMD_PASTE_MENU || id == CMD_HELP_TOPICS || id == CMD_VERSION || id == CMD_ICON_TEST_SHEET;
}

void Transform(const CommandContext& c) {
  if (!TransformSelection(*c.tab, CommandIdOf(c.word))) return;
  Announce(c.tab, CHANGE_PIXELS | CHANGE_RECORD_UNDO);
}

void Rotate(const CommandContext& c) {
  const CellRect& s = c.tab->selection;
  if (s.right - s.left >= 2 && s.bottom - s.top >= 2) RotateDialog(*c.tab);
}

// From the button the grid follows its check; from the menu or the key it
// flips, and the button and the entry follow.
void Grid(const CommandContext& c) {
  auto* button = qobject_cast<QAbstractButton*>(c.sender);
  grid = button != nullptr ? (button->isChecked() ? 1 : 0) : 1 - grid;
  SetButtonChecked(CMD_GRID, grid == 1);
  SetMenuChecked(CMD_GRID, grid == 1);
  Announce(c.tab, CHANGE_GRID);
}

void PickColorUnderPointer(const CommandContext& c) {
  if (!editView.pointerOver) return;
  PickCellColor(*c.tab, ImagePointX(editView.pointerX), ImagePointY(editView.pointerY));
}

// A tool command from a button keeps the check state the click gave the
// button; from the menu or a key (notification 0) the buttons follow the tab.
unsigned ToolChange(const CommandContext& c) {
  return CHANGE_TOOL | (NotificationOf(c.word) == 0 ? CHANGE_TOOL_CHECKS : 0u);
}

const CommandRow commandTable[] = {
    {CMD_SAVE, CMD_SAVE, [](const CommandContext&) { CommandSave(); }, false},
    {CMD_SAVE_AS, CMD_SAVE_AS, [](const CommandContext&) { CommandSaveAs(); }, false},
    {CMD_EXPORT_XCURSOR, CMD_EXPORT_XCURSOR, [](const CommandContext&) { CommandExportXcursor(); }, true},
    {CMD_EXPORT_CURSOR_THEME, CMD_EXPORT_CURSOR_THEME, [](const CommandContext&) {
       if (const auto written = CommandExportCursorTheme()) ShowStatusNote(*written);
     },
     true},
    {CMD_EXPORT_ICON_SET, CMD_EXPORT_ICON_SET, [](const CommandContext&) { CommandExportIconSet(); }, true},
    {CMD_RECENT_FILE_FIRST, CMD_RECENT_FILE_LAST,
     [](const CommandContext& c) { OpenRecentFile(CommandIdOf(c.word) - CMD_RECENT_FILE_FIRST); }, false},
    {CMD_NEW, CMD_NEW, [](const CommandContext&) { CommandNewFile(); }, false},
    {CMD_OPEN, CMD_OPEN, [](const CommandContext&) { CommandOpenFile(); }, false},
    {CMD_IMPORT, CMD_IMPORT, [](const CommandContext&) { CommandImportFile(); }, false},
    {CMD_EXIT, CMD_EXIT, [](const CommandContext&) { RequestMainWindowClose(); }, false},
    {CMD_OPEN_PALETTE, CMD_OPEN_PALETTE, [](const CommandContext&) { CommandOpenPalette(); }, true},
    {CMD_SAVE_PALETTE, CMD_SAVE_PALETTE, [](const CommandContext&) { CommandSavePalette(); }, true},
    {CMD_WINDOWS_PALETTE_16, CMD_WINDOWS_PALETTE_256,
     [](const CommandContext& c) { LoadWindowsPalette(*c.tab, CommandIdOf(c.word) == CMD_WINDOWS_PALETTE_16 ? 16 : 256); },
     true},
    {CMD_NEW_TAB, CMD_NEW_TAB, [](const CommandContext&) { CommandNewTab(); }, false},
    {CMD_DELETE_TAB, CMD_DELETE_TAB, [](const CommandContext&) { CommandDeleteTab(); }, false},
    // Cut deletes only what reached the clipboard: a failed copy must not
    // cost the user the selected pixels.
    {CMD_CUT, CMD_CUT, [](const CommandContext& c) {
       if (CopySelectionToClipboard(*c.tab)) DispatchCommand(CMD_DELETE, c.sender);
     }, true},
    {CMD_COPY, CMD_COPY, [](const CommandContext& c) { CopySelectionToClipboard(*c.tab); }, true},
    {CMD_PASTE, CMD_PASTE_NEAREST, Paste, false},
    {CMD_PASTE_FLOATING, CMD_PASTE_FLOATING_AS_IS, PasteAtOwnSize, false},
    {CMD_PASTE_MENU, CMD_PASTE_MENU, [](const CommandContext&) { ShowPastePopup(); }, false},
    {CMD_SHIFT_LEFT, CMD_FLIP_VERTICAL, Transform, true},
    {CMD_ROTATE, CMD_ROTATE, Rotate, true},
    {CMD_DELETE, CMD_DELETE, [](const CommandContext& c) { DeleteSelection(*c.tab); }, true},
    {CMD_UNDO, CMD_UNDO, [](const CommandContext&) { CommandUndo(); }, true},
    {CMD_REDO, CMD_REDO, [](const CommandContext&) { CommandRedo(); }, true},
    {CMD_GRID, CMD_GRID, Grid, false},
    {CMD_PICK_COLOR, CMD_PICK_COLOR, PickColorUnderPointer, true},
    {CMD_LEAVE_BACKGROUND, CMD_LEAVE_BACKGROUND, [](const CommandContext& c) {
       CommandLeaveBackground(NotificationOf(c.word), c.sender);
       Announce(c.tab, CHANGE_PEN | ToolChange(c));
     }, true},
    {CMD_RANGE_SELECT, CMD_CIRCLE, [](const CommandContext& c) {
       SetPenMode(*c.tab, CommandIdOf(c.word) - CMD_RANGE_SELECT);
       Announce(c.tab, ToolChange(c));
     }, true},
    {CMD_RECTANGLE, CMD_FILLED_CIRCLE, [](const CommandContext& c) {
       SetPenMode(*c.tab, CommandIdOf(c.word) - CMD_RECTANGLE + PEN_RECTANGLE);
       Announce(c.tab, ToolChange(c));
     }, true},
    {CMD_HOT_SPOT_TOOL, CMD_HOT_SPOT_TOOL, [](const CommandContext& c) {
       SetPenMode(*c.tab, PEN_HOT_SPOT);
       Announce(c.tab, ToolChange(c) | CHANGE_PIXELS);
     }, true},
    {CMD_CURSOR_TEST_AREA, CMD_CURSOR_TEST_AREA, [](const CommandContext&) { CommandCursorTestArea(); }, true},
    {CMD_FRAME_TIME, CMD_FRAME_TIME, [](const CommandContext& c) { FrameTimeDialog(*c.tab); }, true},
    {CMD_TEXT, CMD_TEXT, [](const CommandContext& c) { TextDialog(*c.tab); }, true},
    {CMD_SIZE_GRIP, CMD_SIZE_GRIP, [](const CommandContext&) { ToggleSizeGrip(); }, false},
    {CMD_HELP_TOPICS, CMD_HELP_TOPICS, [](const CommandContext&) { CommandHelpTopics(); }, false},
    {CMD_VERSION, CMD_VERSION, [](const CommandContext&) { ShowVersionDialog(); }, false},
    {CMD_ORGANIZE_PALETTE, CMD_ORGANIZE_PALETTE, [](const CommandContext&) { CommandOrganizePalette(); }, false},
    {CMD_REDUCE_COLORS, CMD_REDUCE_COLORS, [](const CommandContext&) { CommandReduceColors(); }, false},
    {CMD_BATCH_COLORS, CMD_BATCH_COLORS, [](const CommandContext&) { CommandBatchColorChange(); }, false},
    {CMD_LANGUAGE_JAPANESE, CMD_LANGUAGE_ENGLISH, [](const CommandContext& c) {
       CommandChooseLanguage(CommandIdOf(c.word) == CMD_LANGUAGE_ENGLISH ? Language::English : Language::Japanese);
     }, false},
    {CMD_ZOOM_IN, CMD_ZOOM_IN, [](const CommandContext&) { ZoomCurrentTab(1); }, true},
    {CMD_ZOOM_OUT, CMD_ZOOM_OUT, [](const CommandContext&) { ZoomCurrentTab(-1); }, true},
    {CMD_ZOOM_FIT, CMD_ZOOM_FIT, [](const CommandContext&) { FitCurrentTab(); }, true},
    {CMD_MAKE_EDITABLE_COPY, CMD_MAKE_EDITABLE_COPY, [](const CommandContext&) { CommandMakeEditableCopy(); }, true},
    {CMD_RECOVERY, CMD_RECOVERY, [](const CommandContext&) { CommandToggleRecovery(); }, false},
    {CMD_CONVERT_TO_TRUE_COLOUR, CMD_CONVERT_TO_TRUE_COLOUR, [](const CommandContext&) { CommandConvertToTrueColour(); },
     true},
    {CMD_CONVERT_TO_INDEXED, CMD_CONVERT_TO_INDEXED, [](const CommandContext&) { CommandConvertToIndexed(); }, true},
    {CMD_ICON_TEST_SHEET, CMD_ICON_TEST_SHEET, [](const CommandContext&) { CommandIconTestSheet(); }, true},
};

}  // namespace

void DispatchCommand(unsigned commandWord, QWidget* sender) {
  const int id = CommandIdOf(commandWord);
  if (!LeavesBlockFloating(id)) CommitFloating();
  const CommandContext context{CurrentTab(), commandWord, sender};
  if (context.tab != nullptr && IsKeptTab(*context.tab) && RefusedOnKeptTab(id)) return;
  if (context.tab != nullptr && IsTrueColour(*context.tab) && RefusedOnTrueColourTab(id)) return;
  for (const CommandRow& row : commandTable) {
    if (id < row.firstId || id > row.lastId) continue;
    if (row.needsTab && context.tab == nullptr) return;
    row.handler(context);
    return;
  }
}

void ShowPastePopup() {
  QMenu popup(mainWindows.main);
  FillPastePopup(popup);
  QPoint corner;
  if (QAbstractButton* paste = ToolButton(CMD_PASTE_NEAREST)) corner = paste->mapToGlobal(QPoint(0, paste->height()));
  if (QAction* chosen = RunPopupMenu(popup, corner)) DispatchCommand(static_cast<unsigned>(chosen->data().toInt()));
}
