#pragma once
// The mouse handling of the edit view and the five pen tools: range select,
// normal pen, fill, straight line and circle. Range select, line and circle
// take two clicks: the first fixes the anchor, a rubber band follows the
// mouse, the second fixes the end.

#include "model/image_tab.h"

class QWidget;

enum PenMode : int {
  PEN_SELECT = 0,
  PEN_NORMAL = 1,
  PEN_FILL = 2,
  PEN_LINE = 3,
  PEN_CIRCLE = 4,
  PEN_RECTANGLE = 5,
  PEN_FILLED_RECTANGLE = 6,
  PEN_FILLED_CIRCLE = 7,
  PEN_MODE_LAST = PEN_FILLED_CIRCLE,
};

// The tools drawn like the circle: two clicks span a box, a picture of the
// shape follows the mouse, the second click draws it.
inline bool IsShapeTool(std::uint32_t mode) {
  return mode == PEN_CIRCLE || mode == PEN_RECTANGLE || mode == PEN_FILLED_RECTANGLE || mode == PEN_FILLED_CIRCLE;
}
// The tools whose action takes two clicks.
inline bool IsTwoClickTool(std::uint32_t mode) { return mode == PEN_SELECT || mode == PEN_LINE || IsShapeTool(mode); }

struct EditMouseState {
  // Set while the edit view holds the mouse, from the first left press inside
  // the image to the left release.
  bool captured = false;
  // Set from a left press or drag inside the image to the next left release;
  // the release does its work only then.
  bool leftDrag = false;
  // Set from a left press that a floating block took to the next release.
  bool floatingHeld = false;
  // The press lifted the selection's content; a release on the same place
  // puts it back and counts as a plain click of the range tool.
  bool liftedByPress = false;
};

extern EditMouseState editMouse;

// Left press and mouse move share one handler; points are client pixels of
// the edit view. All handlers act on the current tab and do nothing without
// one.
void HandleEditMouse(int x, int y, bool leftHeld, bool rightHeld);
// The left button went up at (x, y), wherever that is.
void HandleEditLeftRelease(int x, int y);
void HandleEditRightPress(int x, int y);

// Ends a two-click action under way. With nothing under way it resets the
// selection to the whole image only when resetIdleSelection is 1.
void EndToolAction(ImageTab& tab, int resetIdleSelection);

// Chooses a tool (commands 250..254 choose PEN_SELECT..PEN_CIRCLE, 462..464
// the rectangle, the filled rectangle and the filled circle).
void SetPenMode(ImageTab& tab, int mode);

// Fills the 4-connected region of target cells around (x, y) with the
// replacement and paints each changed cell; it invalidates nothing.
void FloodFill(ImageTab& tab, int x, int y, PixelCell target, PixelCell replacement);

void CommitLine(ImageTab& tab);
void UpdateLineBand(ImageTab& tab);
// The circle and the other shape tools: the picture that follows the mouse,
// and the shape drawn into the cells.
void PreviewCircle(ImageTab& tab);
void CommitCircle(ImageTab& tab);

// Copies index and mask bit of the cell under the point into the pen; the
// leave-background button takes the new mask. On a true-colour tab the
// pen takes the pixel's colour with its alpha, and leave-background goes off. Gives back false when the
// point lies on no cell.
bool PickCellColor(ImageTab& tab, int x, int y);

// Command 240: with notification code 0 the switch flips; with any other
// code the pen mask follows the check state of the sending button.
void CommandLeaveBackground(int notificationCode, QWidget* sender);
