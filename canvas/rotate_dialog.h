#pragma once
// The rotate dialog ("回転", template 2230): turns the selection of a tab by
// quarter turns and by any whole number of degrees, shows the picture before
// and after in two previews and the result live in the edit view, and writes
// it into the tab on OK.

struct ImageTab;

enum RotateDialogId : int {
  ID_ROTATE_DIALOG = 2230,
  ID_SOURCE_GROUP = 2002,
  ID_RESULT_GROUP = 2003,
  ID_ANGLE_BOX = 2011,
  ID_TURN_LEFT = 2020,
  ID_TURN_RIGHT = 2021,
  ID_ANGLE_UPDOWN = 2030,
  ID_BEFORE_PREVIEW = 2106,
  ID_AFTER_PREVIEW = 2107,
};

// The two arrow buttons of the up-down control are its children with these
// object names.
inline constexpr const char* UPDOWN_UP_ARROW = "up";
inline constexpr const char* UPDOWN_DOWN_ARROW = "down";

// Runs the dialog on the tab's selection, which must lie inside the image
// and span at least 3 x 3 cells (otherwise nothing happens). OK writes the
// result into the selection and records one undo snapshot; every way of
// closing the dialog shows the tab as it then is. Gives back the id of the
// button that closed it, or 0.
int RotateDialog(ImageTab& tab);
