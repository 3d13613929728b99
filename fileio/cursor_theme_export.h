#pragma once
// Exporting the document into an X11 cursor theme folder: the cursor file
// goes to THEME/cursors/NAME, and THEME/index.theme names the theme, so that
// a desktop lists the folder (under ~/.icons or ~/.local/share/icons) as a
// cursor theme.

#include <string>

#include "platform/ui_text.h"

inline constexpr const char* EXPORT_THEME_TITLE =
    QT_TRANSLATE_NOOP("Quillet2", "カーソルテーマのフォルダに書き出す（テーマのフォルダ名）");
inline constexpr const char* EXPORT_THEME_FOLDER_FAILED = QT_TRANSLATE_NOOP("Quillet2", "フォルダを作れません");

// The cursor's name in the theme: the document's name without folder and
// extension ("left_ptr" for left_ptr.ani), or "left_ptr" for a document
// without a usable name.
std::string ThemeCursorName(const std::string& documentName);

// Writes the document as THEME/cursors/NAME and, when the folder has none
// yet, THEME/index.theme naming the theme after its folder (an index.theme
// already there is the user's and stays). Failures are shown.
bool WriteCursorTheme(const std::string& themeFolder, const std::string& cursorName);

// Asks for the theme's folder and writes the theme.
void CommandExportCursorTheme();
