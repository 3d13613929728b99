#include "canvas/transforms.h"

// Shifts, flips and rotation are not written yet; they change nothing.
bool TransformSelection(ImageTab&, int) { return false; }

void RotateDialog(ImageTab&) {}
