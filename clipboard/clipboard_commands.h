#pragma once
// Copy, cut and the pastes through the system clipboard.

#include "clipboard/color_picture.h"
#include "model/image_tab.h"

// Puts the tab's selection on the clipboard as a picture in the colours the
// real-size preview shows; false when it could not.
bool CopySelectionToClipboard(ImageTab& tab);

// Pastes the clipboard's picture into the selection in the way the command
// asks (204 as it is, 205 with transparent colours, 206 in the nearest
// palette colours). Gives back 1 when the tab was changed; 0, with nothing
// changed, when the clipboard holds no picture or the paste was cancelled.
int PasteFromClipboard(ImageTab& tab, unsigned commandWord);

// The cells of the area (inclusive, inside the image) in the colours the
// real-size preview shows them: a transparent cell in its palette colour
// XOR the background colour.
ColorPicture RenderImageArea(const ImageTab& tab, const CellRect& area);
