#pragma once
// The dialog of the cursor-theme export: the theme's folder, typed or
// chosen in a folder dialog, and the name the cursor takes in the theme,
// from the names desktops ask for, with the aliases linked to it.

#include <optional>
#include <string>

#include "platform/ui_text.h"

inline constexpr const char* THEME_DIALOG_TITLE = QT_TRANSLATE_NOOP("Quillet2", "カーソルテーマに書き出す");

// Control ids of the dialog (its object name is "2400").
enum : int {
  ID_THEME_FOLDER_LABEL = 2401,
  ID_THEME_FOLDER = 2402,
  ID_THEME_BROWSE = 2403,
  ID_THEME_NAME_LABEL = 2404,
  ID_THEME_NAME = 2405,
  ID_THEME_ALIASES = 2406,
};

struct ThemeExportChoice {
  std::string folder;
  // One of the standard names of ThemeCursorShapes.
  std::string name;
};

// Runs the dialog, starting from the folder and name given (a name that is
// an alias starts at its shape). Nothing when the user cancels.
std::optional<ThemeExportChoice> RunThemeExportDialog(const std::string& folder, const std::string& name);
