#pragma once
// The cell algorithms behind the shift, flip and rotate commands: they work
// on the selection of a tab, and the rotation on a work record of its own,
// so that the rotate dialog can show a result before anything is written.

#include "model/image_tab.h"

// The shifts and flips of the selection, numbered as the commands 230..235
// that ask for them.
enum CellTransform : int {
  SHIFT_LEFT = 230,
  SHIFT_RIGHT = 231,
  SHIFT_UP = 232,
  SHIFT_DOWN = 233,
  FLIP_LEFT_RIGHT = 234,
  FLIP_TOP_BOTTOM = 235,
};

// One CellTransform on the tab's selection. Each needs the selection to span
// at least three cells along its direction; otherwise, or for any other
// number, nothing changes. Gives back true when the cells were changed.
bool TransformSelection(ImageTab& tab, int transform);

// True when the selection lies inside the image and is at least 3 x 3
// cells, the least that the rotation works on.
bool CanRotateSelection(const ImageTab& tab);

// What the rotate dialog works on, filled afresh each time it opens. Source
// and result are laid out like the tab's cells (element x * STORE_SIZE + y).
struct RotateWork {
  // Degrees of the free rotation last computed.
  int angle = 0;
  // The source rectangle in source coordinates: 0, 0, W - 1, H - 1.
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  // The selection after the quarter turns; FRESH_CELL outside the turned
  // picture.
  PixelCell source[CELL_COUNT] = {};
  // The source after the free rotation; this is what OK writes back.
  PixelCell result[CELL_COUNT] = {};
  // What uncovered cells hold: the transparent cell of the tab the work was
  // taken from, so that a rotation adds no colour the image did not have.
  PixelCell fresh = FRESH_CELL;
};

extern RotateWork rotateWork;

// Sets the work record up for the tab's selection: angle 0, the source
// rectangle, the source without turns and a result equal to it.
void StartRotateWork(RotateWork& work, const ImageTab& tab);

// Fills the source with the selection turned by quarterTurns (0..3)
// counter-clockwise quarter turns. A quarter turn of a selection that is not
// square turns only its centred square; the rest of the source stays
// transparent (the tab's fresh cell).
void TurnSourceCells(RotateWork& work, const ImageTab& tab, int quarterTurns);

// Fills the W x H result with the source turned by work.angle degrees
// counter-clockwise on screen, about the source cell (W / 2, H / 2), with
// nearest-cell sampling in fixed point; uncovered cells become work.fresh.
void RotateByAngle(RotateWork& work);

// The angle that a number typed into the rotate dialog stands for: negative
// values count one turn more, values above 359 count as 359.
int RotateAngleOfNumber(int number);

// Writes the W x H result back into the tab's selection.
void ApplyRotateResult(const RotateWork& work, ImageTab& tab);
