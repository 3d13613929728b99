#pragma once
// Window place and size and the two display flags, kept between runs in the
// settings file.

#include <string>
#include <vector>

#include "import/remembered_choices.h"
#include "platform/ui_text.h"

inline constexpr const char* SETTINGS_WRITE_FAILED = QT_TRANSLATE_NOOP("Quillet2", "設定の保存に失敗");

// The place and size are those of the window without the frame the window
// manager draws around it (its menu and client area), so that what is
// written on closing gives the same window at the next start.
struct WindowSettings {
  int posX = 100;
  int posY = 100;
  int sizeX = 640;
  // Height without the strip of the size grip.
  int sizeY = 640;
  int statusWndFlag = 1;
  int grid = 1;
  // The files last opened or saved, newest first.
  std::vector<std::string> recentFiles;
  // The choices of the last import.
  RememberedImportChoices import;
};

// Reads the settings file; missing keys or a missing file give the defaults.
WindowSettings ReadSettings();
// Applies the place and size to the main window, the grip's strip added to
// the height, kept on the screen it lies on (the primary screen when it lies
// on none) and at least the window's minimum size.
void ApplyWindowSettings(const WindowSettings& settings);
// Writes the window's place and size (not when it is minimized) and always
// the two flags, the recent files and the last import's choices. A failure is reported, and the file is then left as it was.
void WriteSettings();
