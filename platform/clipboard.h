#pragma once
// The system clipboard, as far as the program uses it: one picture of plain
// colours is put there and read back. Everything else works on the
// program's own pictures.

#include "clipboard/color_picture.h"

// True when the clipboard holds a picture that can be pasted.
bool ClipboardHoldsPicture();

// Empties the clipboard and puts the picture there. Gives back false, and
// leaves the clipboard as it was, when no picture of that size could be
// made.
bool PutPictureOnClipboard(const ColorPicture& picture);

// Copies the clipboard's picture, whatever its size, into a picture of the
// program's own. Gives back false when the clipboard holds no picture or the
// copy could not be made; the picture is then empty.
bool TakePictureFromClipboard(ColorPicture& picture);
