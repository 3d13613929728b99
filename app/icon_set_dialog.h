#pragma once
// The icon-set export's dialog: a check box per platform, the icon's name,
// the folder to write into, and a preview of every platform's pictures at
// 1:1 over a light and a dark background, so that the user sees each size
// (a hand-tuned 16 px image or one scaled from the largest) before writing.

#include <string>

#include "import/icon_set.h"
#include "platform/ui_text.h"

inline constexpr const char* ICON_SET_TITLE = QT_TRANSLATE_NOOP("Quillet2", "アイコンセットの書き出し");

// Object names of the controls, for tests that fill the dialog by script.
inline constexpr const char* ICON_SET_CHECK_NAMES[] = {"setWindows", "setLinux", "setMac", "setWeb"};
inline constexpr const char* ICON_SET_NAME_FIELD = "setName";
inline constexpr const char* ICON_SET_FOLDER_FIELD = "setFolder";
inline constexpr const char* ICON_SET_BROWSE_BUTTON = "setBrowse";
inline constexpr const char* ICON_SET_PREVIEW = "setPreview";

// What the user chose in the dialog.
struct IconSetChoice {
  unsigned platforms = ICON_SET_ALL;
  std::string name;
  std::string folder;
};

// Shows the dialog for the input's pictures; true when the user pressed OK
// with at least one platform, a usable name and a folder.
bool RunIconSetDialog(const IconSetInput& input, IconSetChoice& choice);

// The File menu's command: the document's images through the dialog into
// the folder chosen.
void CommandExportIconSet();
