#include "canvas/preview.h"

// The preview window draws the tab; until it exists there is nothing to do.
void RepaintPreview(ImageTab*) {}
