#pragma once
// Copy, cut and the pastes through the system clipboard.

#include "clipboard/color_picture.h"
#include "model/image_tab.h"

// Puts the tab's selection on the clipboard as a picture in the colours the
// real-size preview shows; false when it could not.
bool CopySelectionToClipboard(ImageTab& tab);

// The three ways of pasting, numbered as the paste commands that ask for
// them.
enum PasteKind : int { PASTE_AS_IS = 204, PASTE_TRANSPARENT = 205, PASTE_NEAREST = 206 };

// Pastes the clipboard's picture into the selection in the way the command
// asks: the low 16 bits of the command word are a PasteKind. Gives back 1
// when the tab was changed; 0, with nothing changed, when the clipboard holds
// no picture or the paste was cancelled.
int PasteFromClipboard(ImageTab& tab, unsigned commandWord);

// The cells of the area (inclusive, inside the image) in the colours the
// real-size preview shows them: a transparent cell in its palette colour
// XOR the background colour.
ColorPicture RenderImageArea(const ImageTab& tab, const CellRect& area);
