#pragma once
// The colours of the default palettes that new tabs start with.

#include <vector>

#include "model/image_tab.h"

// The colours for a colour code (2, 16 or 0 for 256).
std::vector<ColorRef> DefaultPaletteColors(std::uint8_t colorCode);
