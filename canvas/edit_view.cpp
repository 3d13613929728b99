#include "canvas/edit_view.h"

// The zoomed canvas is drawn by the edit view; until it exists there is
// nothing to repaint.
void RepaintEditView(ImageTab*) {}
