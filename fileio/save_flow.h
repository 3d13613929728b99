#pragma once
// Saving the open tabs: the save-type dialog, the icon and bitmap writers
// with their file dialogs and messages, and the question asked before the
// open tabs are discarded.

#include <vector>

#include "model/image_tab.h"
#include "platform/ui_text.h"

inline constexpr const char* SAVE_TYPE_TITLE = QT_TRANSLATE_NOOP("Quillet2", "保存タイプ選択");
inline constexpr const char* SAVE_ICON_TITLE =
    QT_TRANSLATE_NOOP("Quillet2", "名前をつけて保存（１つのアイコンファイルとして保存）");
inline constexpr const char* SAVE_BITMAP_TITLE =
    QT_TRANSLATE_NOOP("Quillet2", "名前をつけて保存（横に並んだビットマップファイルとして保存）");
inline constexpr const char* SAVE_CHANGED_QUESTION = QT_TRANSLATE_NOOP("Quillet2", "変更されています保存しますか？");

// Control ids of the save-type dialog. Separate icon and bitmap files are
// not offered; their ids stay taken.
enum : int {
  ID_SAVE_ONE_ICON = 2020,
  ID_SAVE_SEPARATE_ICONS = 2021,
  ID_SAVE_SIDE_BY_SIDE = 2022,
  ID_SAVE_SEPARATE_BITMAPS = 2023,
  // Indexed only, also 32-bit, or 32-bit only (TrueColourChoice).
  ID_SAVE_TRUE_COLOUR = 2024,
};

// The used tabs in tab-strip order.
std::vector<const ImageTab*> TabsInStripOrder();

// After an import into an unnamed document, the save dialogs propose the
// picture's own name with ".ico" until the document gets a name of its own:
// in the picture's folder when the user may write there, else in the folder
// of the last file saved in this session, else in the home folder.
void ProposeSaveNameFrom(const std::string& sourcePath);
// Forgets the name proposed and the folder of the last file saved, as at
// the start.
void ForgetSaveProposals();

// True when more than one tab is open and all share width, height and
// colour count: the condition for the side-by-side bitmap.
bool CanSaveSideBySide();

// Asks for a name (which becomes the document's name) and writes all tabs
// as one icon file. False when cancelled or failed (failures are shown).
bool WriteIconFile();
// Writes all tabs as one icon file under the document's name, without
// asking for a name. False when it failed (shown).
bool WriteTabsAsIconDocument();
// The same for one bitmap with the images side by side.
bool WriteSideBySideBitmap();

// Runs the save-type dialog: 1 when a file was written, 2 otherwise.
int SaveTypeDialog();

// Asks whether to save changed tabs, then discards all tabs. False, with
// every tab kept, when the user cancelled the question, or chose to save and
// nothing was written.
bool AskSaveAndDiscardAll();

// The save-type dialog, then the caption names the document: what Save
// As always does and Save does when it cannot simply write the file.
void CommandSaveAs();
