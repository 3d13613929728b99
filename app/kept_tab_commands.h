#pragma once
// Kept tabs show an image the editor does not edit: every command that would
// change a tab's pixels, palette or tool state is unavailable on them, and
// "make an editable copy" is available only there.

struct ImageTab;

// True for the commands a kept tab refuses.
bool RefusedOnKeptTab(int commandId);

// Disables the refused commands (menus, buttons, the palette window) while
// the current tab is a kept one, and enables the copy command only then.
void RefreshKeptTabState(const ImageTab* tab);
