#pragma once
// The cursor's hot spot on the cells: placing it, and keeping it on the same
// pixel when a shift or flip moves the pixels of the selection.

#include "model/image_tab.h"

// The pen mode of the hot-spot tool. Command 250 + mode chooses a tool, so
// this mode is chosen by command 490.
constexpr int PEN_HOT_SPOT = 240;

// Puts the hot spot on the cell; false, with nothing changed, when the cell
// lies outside the image or already is the hot spot.
bool PlaceHotSpot(ImageTab& tab, int x, int y);

// After TransformSelection moved the selection's cells by the transform (a
// CellTransform), moves the hot spot along when it lies in the selection.
void MoveHotSpotWithTransform(ImageTab& tab, int transform);

// After the rotate dialog wrote its result into the selection: the hot spot,
// when it lies in the selection, goes where its pixel went, turned by the
// quarter turns and then by angle degrees counter-clockwise on screen. When
// the rotation's sampling dropped the pixel, it goes to the cell nearest its
// exact place; it stays put when that falls outside the selection.
void MoveHotSpotWithRotation(ImageTab& tab, int quarterTurns, int angle);
