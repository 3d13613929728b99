#pragma once
// The system clipboard, as far as the program uses it: one picture of plain
// colours is put there and read back. Everything else works on the
// program's own pictures.

#include <functional>

#include "platform/pixel_picture.h"

class QObject;

// Follows the clipboard for the life of owner: calls changed when the
// clipboard changes and, when another program owns it, again once that
// program has said whether it offers a picture. Nothing waits for that
// answer.
void WatchClipboard(QObject* owner, std::function<void()> changed);

// True when the clipboard holds a picture that can be pasted. For a
// clipboard that another program owns this is the last answer it gave, and
// false while it has not answered.
bool ClipboardHoldsPicture();

// Empties the clipboard and puts the picture there. Gives back false, and
// leaves the clipboard as it was, when no picture of that size could be
// made.
bool PutPictureOnClipboard(const PixelPicture& picture);

// Copies the clipboard's picture, whatever its size, into a picture of the
// program's own. Gives back false when the clipboard holds no picture, its
// owner does not answer within a few seconds, or the copy could not be
// made; the picture is then empty.
bool TakePictureFromClipboard(PixelPicture& picture);
