#pragma once
// The everyday pastes (Ctrl+V, Ctrl+Shift+V): the clipboard's picture at its
// own size as a floating block, which the user moves into place.

#include "model/image_tab.h"

// Takes the clipboard's picture into a floating block over the tab, at the
// top-left of the selection or, with nothing selected, of what the view
// shows. Gives back false, with nothing changed, when the clipboard holds no
// picture.
bool PasteFloating(ImageTab& tab, bool keepNumbers);
