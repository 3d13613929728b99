#pragma once
// The file commands of the menu and toolbar, and the file flows they use.

#include <string>

// Command 101: discard every tab (asking to save changes), then a new tab.
void CommandNewFile();
// Command 102: choose an icon file and open it.
void CommandOpenFile();
// Commands 111 and 112: load the current tab's palette from a palette file,
// or save it to one.
void CommandOpenPalette();
void CommandSavePalette();

// The save-type dialog; 1 when a file was written, 2 otherwise.
int SaveTypeDialog();
// Opens the icon file at the path into tabs, with all its checks.
void OpenIconFile(const std::string& path);
// The save question before the tabs are discarded; false when the user
// broke off.
bool AskSaveAndDiscardAll();
