#pragma once
// The file commands of the menu and toolbar, and the file flows they use.

#include <string>

struct ImageTab;

// SaveTypeDialog, AskSaveAndDiscardAll and OpenIconFile, which the file
// commands and the main window use.
#include "fileio/open_flow.h"
#include "fileio/save_flow.h"

// Command 101: discard every tab (asking to save changes), then a new tab.
void CommandNewFile();
// Command 102: choose an icon file and open it.
void CommandOpenFile();
// Commands 111 and 112: load the current tab's palette from a palette file,
// or save it to one.
void CommandOpenPalette();
void CommandSavePalette();
// The load of command 111 once the path is known: replaces the tab's
// palette, redraws and records an undo step, or shows why it could not.
void LoadPaletteIntoTab(ImageTab& tab, const std::string& path);
// Commands 540 and 541: the Windows 16- or 256-colour system palette into
// the tab, as loading a palette file of it would.
void LoadWindowsPalette(ImageTab& tab, int colours);
