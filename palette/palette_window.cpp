#include "palette/palette_window.h"

// The palette window draws the palette; until it exists there is nothing to
// redraw.
void RedrawPalette(ImageTab*) {}
