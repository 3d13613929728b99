#pragma once
// Exporting the document into an X11 cursor theme folder: the cursor file
// goes to THEME/cursors/NAME, and THEME/index.theme names the theme, so that
// a desktop lists the folder (under ~/.icons or ~/.local/share/icons) as a
// cursor theme.

#include <optional>
#include <string>

#include "platform/ui_text.h"

inline constexpr const char* EXPORT_THEME_FOLDER_FAILED = QT_TRANSLATE_NOOP("Quillet2", "フォルダを作れません");

// The cursor's name in the theme: the document's name without folder and
// extension ("left_ptr" for left_ptr.ani), or "left_ptr" for a document
// without a usable name.
std::string ThemeCursorName(const std::string& documentName);

// Writes the document as THEME/cursors/NAME and, when the folder has none
// yet, THEME/index.theme naming the theme after its folder (an index.theme
// already there is the user's and stays); the aliases of NAME's shape become
// links to it. Failures are shown; after a success, gives back the line
// that says what was written.
std::optional<std::string> WriteCursorTheme(const std::string& themeFolder, const std::string& cursorName);

// Asks for the theme's folder and the cursor's name, and writes the theme.
// Gives back what was written, for the status line.
std::optional<std::string> CommandExportCursorTheme();
