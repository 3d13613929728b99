#pragma once
// Shifts, flips and rotation of the selection.

struct ImageTab;

// Commands 230..235 on the tab's selection; gives back true when cells
// changed.
bool TransformSelection(ImageTab& tab, int command);
// The rotate dialog for a selection of at least 3 x 3 cells.
void RotateDialog(ImageTab& tab);
