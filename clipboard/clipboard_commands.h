#pragma once
// Copy, cut and the pastes through the system clipboard.

struct ImageTab;

// Puts the tab's selection on the clipboard as a picture; false when it
// could not.
bool CopySelectionToClipboard(ImageTab& tab);

// Pastes the clipboard's picture into the selection in the way the command
// asks (204 as it is, 205 with transparent colours, 206 in the nearest
// palette colours). Gives back 1 when the tab was changed.
int PasteFromClipboard(ImageTab& tab, unsigned commandWord);
