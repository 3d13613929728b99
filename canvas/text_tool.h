#pragma once
// The text tool ("文字", template 2240): text in an installed font, drawn
// at real size in a preview, marks every image cell it touches in the pen
// colour. The edit view shows the marked cells while the dialog is open; OK
// writes them into the tab as one undo step.

#include <string>
#include <vector>

#include "canvas/raster.h"
#include "canvas/text_cells.h"

class QFont;
class QImage;
class QListWidget;
class QString;

// Control ids of the dialog.
enum TextDialogId : int {
  ID_TEXT_DIALOG = 2240,
  // The placeholder whose rectangle the preview takes.
  ID_TEXT_PREVIEW = 2002,
  ID_FONT_LIST = 2011,
  ID_TEXT_BOX = 2012,
  ID_BOLD_BOX = 2051,
  ID_ITALIC_BOX = 2052,
  ID_SIZE_CONTROL = 2090,
  // The labels, the size as a number and the line on placing the text.
  ID_SIZE_NUMBER = 2091,
  ID_FONT_LABEL = 2092,
  ID_TEXT_LABEL = 2093,
  ID_SIZE_LABEL = 2094,
  ID_PLACE_HINT = 2095,
};

// Command 260: runs the text dialog for the tab.
void TextDialog(ImageTab& tab);

// Draws the settings' text on the canvas rectangle at (originX + tx,
// originY + ty), frames the image area that starts at (originX, originY),
// and shows every cell under a pixel of the text in the pen colour without
// grid lines and every other cell as it is with grid lines. With commit 1
// the pen cell is also stored in the covered cells. Gives back the number
// of covered cells.
int RenderTextCells(ImageTab& tab, QImage& canvas, const PixelRect& canvasRect, const TextSettings& settings,
                    int originX, int originY, int tx, int ty, int commit);

// The font the settings ask for: its character cell (ascent plus descent)
// is height pixels; height 0 leaves the size to the font system, and an
// empty face its default family.
QFont MakeTextFont(const TextSettings& settings);

// The names the font list offers, in the order the font system gives them:
// every installed family once, and the Japanese system face names whose
// stand-in fonts are installed.
std::vector<std::string> TextFaceNames();

// The entry of the font list to select for a remembered face: the one that
// bears the name itself (case ignored), else the first that starts with it,
// searched as the list's own search goes: from the second entry on,
// wrapping round to the first. -1 when no entry fits.
int FindFaceRow(const QListWidget& list, const QString& face);
