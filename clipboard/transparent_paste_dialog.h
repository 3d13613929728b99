#pragma once
// The dialog "透過色指定貼り付け": the user marks colours of the pasted picture
// as transparent and chooses how the rest is merged into the tab.

#include "clipboard/transparent_paste.h"

enum TransparentPasteControl : int {
  ID_TRANSPARENT_PASTE_DIALOG = 2250,
  ID_PICTURE_VIEW = 2002,
  ID_COLOR_GRID = 2003,
  ID_EXISTING_TO_NEAREST = 2051,
  ID_PICTURE_GROUP = 2080,
  ID_GRID_GROUP = 2081,
};

// The merge mode chosen last; kept while the program runs and preselected
// the next time the dialog opens.
extern int transparentPasteMode;

// Runs the dialog on the prepared picture over the tab. Gives back 1 when
// OK merged the picture into the tab, 2 when it was cancelled and nothing
// changed.
int TransparentPasteDialog(ImageTab& tab, PastePicture& paste);
