#pragma once
// The palette window of the current tab: a grid of the palette's colours,
// the pen-colour marker, and the three palette buttons.

#include "model/image_tab.h"

class QImage;
class QPoint;
class QWidget;

// The palette buttons, numbered as the commands they send.
enum PaletteButton : int { PALETTE_ORGANIZE = 290, PALETTE_REDUCE = 291, PALETTE_BATCH = 292 };

// Creates the window ("palWndClass") with its buttons on the tab strip,
// disabled until the first tab exists. The buttons are named by their
// numbers, which a click hands to sendCommand.
QWidget* CreatePaletteWindow(QWidget* tabStrip, void (*sendCommand)(unsigned command));

// Enables or disables the window's three buttons, which act on palette
// indices.
void EnablePaletteButtons(bool enabled);

// Repaints the whole palette window for the tab, or blanks it for nullptr
// or when no tab is open.
void RedrawPalette(ImageTab* tab);

// Draws one cell into the back buffer: a black 2-pixel outline filled with
// the colour, as an ellipse or a rectangle. The rectangle's right and
// bottom are exclusive.
void DrawPaletteCell(const CellRect& rect, ColorRef colour, bool asEllipse);

// Moves the white marker to the tab's pen colour, restoring the outline of
// the cell it marked before.
void DrawPaletteMarker(ImageTab* tab);

// Stores a colour in the palette, shows it everywhere and records an undo
// snapshot.
void SetPaletteColor(ImageTab& tab, int index, ColorRef colour);

// What the mouse does on the window, at client points. A press of the left
// or right button chooses the pen colour; a left double click edits the
// entry in the colour dialog.
void PaletteButtonDown(int x, int y);
void PaletteDoubleClick(int x, int y);

// The window's off-screen picture (client size), or nullptr without window.
const QImage* PaletteBackBuffer();
// Where the client area starts inside the window, past its sunken edge.
QPoint PaletteClientOrigin();
