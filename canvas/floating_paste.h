#pragma once
// The floating block of the edit view: a picture pasted at its own size, or
// the content of a selection that the range tool drags, shown above the
// image until it is placed. The mouse drags it and the arrow keys move it;
// Enter, a click outside it or another command places it (one undo step),
// Esc drops it and leaves the image as it was.

#include "canvas/floating_block.h"
#include "model/image_tab.h"

struct FloatingPaste {
  FloatingBlock block;
  // The tab the block floats over; nullptr without a block.
  ImageTab* tab = nullptr;
  // A lifted block left a hole in the tab; dropping it puts the cells back.
  bool lifted = false;
  int startLeft = 0;
  int startTop = 0;
  CellRect selectionBefore;
  // A drag under way: the block cell the mouse holds.
  bool dragging = false;
  int grabX = 0;
  int grabY = 0;
};

extern FloatingPaste floatingPaste;

// Gives the masked cells of a block just placed a black palette entry (set
// by the paste, which knows how to choose one); called only for blocks that
// ask for it.
extern void (*placeBlackUnderMask)(ImageTab& tab, const FloatingBlock& block);

// Whether a block floats (over the given tab, when one is given).
bool FloatingActive(const ImageTab* tab = nullptr);

// The value the view shows for cell (x, y): the block's where it floats.
PixelCell ShownCell(const ImageTab& tab, int x, int y);

// Lets a block float over the tab; a block already floating is placed first.
void StartFloating(ImageTab& tab, const FloatingBlock& block);

// Lifts the tab's selection into a floating block, leaving transparent
// cells behind. False when nothing is selected.
bool LiftSelection(ImageTab& tab);

// Moves the floating block by whole cells.
void MoveFloating(int dx, int dy);

// Places the block into its tab as one undo step. False without a block.
bool CommitFloating();

// Drops the block; the tab is as it was before the block appeared.
void CancelFloating();

// The edit view's mouse while a block floats over the tab, in cells. Each
// gives back true when it took the event; a press outside the block places
// the block and is taken too.
bool FloatingPress(ImageTab& tab, int x, int y);
bool FloatingDrag(ImageTab& tab, int x, int y);
bool FloatingRelease(ImageTab& tab);
