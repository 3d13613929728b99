#include "canvas/edit_view.h"

int grid = 1;

// The zoomed canvas is drawn by the edit view; until it exists there is
// nothing to repaint.
void RepaintEditView(ImageTab*) {}

bool RebuildEditBackBuffer() { return true; }
