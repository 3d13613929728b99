#pragma once
// The icon test sheet: a window that shows every image of the document as
// the desktop will, at its own size and at twice it, over a light, a
// mid-grey and a dark screen, a checkerboard and a picture the user loads,
// and beside them which image Windows takes for each size it asks for. It
// follows every edit, so the effect of a change is seen at once.

#include <string>
#include <vector>

#include "fileio/size_choice.h"
#include "model/image_tab.h"

class QWidget;

// What the desktop shows for the image's pixel (x, y) over a screen pixel
// of the colour `screen`: an opaque indexed pixel its colour, a masked one
// the screen (black entry) or the screen XOR its colour (any other entry),
// a true-colour or kept pixel its colour mixed over the screen by its
// alpha.
ColorRef ShownOverScreen(const ImageTab& tab, int x, int y, ColorRef screen);

// The document's images in strip order, as the choice of size sees them.
std::vector<FamilyImage> DocumentFamily();

// The text of the size table's cell for a base size at a scaling: the
// pixels asked for and the label of the tab that Windows takes.
std::string SizeTableText(int baseSize, int scalingPercent);

// Opens the window, or brings it to the front when it is open.
void CommandIconTestSheet();
// Shows the document as it is now in the open window (nothing when it is
// closed).
void RefreshIconTestSheet();
// The open window, or nullptr.
QWidget* IconTestSheetWindow();
