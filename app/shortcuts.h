#pragma once
// Keyboard shortcuts of the commands.

#include <QKeySequence>
#include <QList>

// The keys of a command, the one the menu shows first; empty when it has
// none.
QList<QKeySequence> CommandShortcuts(int id);

// Gives the menu entries their keys, and the grid button, which has no menu
// entry, a key of its own. The keys work wherever the focus is in the main
// window: the background box is a list, not a field to type into, so only
// its arrows stay its own. Call once the main window's panels exist.
void InstallShortcuts();
