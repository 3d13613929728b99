#pragma once
// Turning a tab of one kind into a tab of the other: an indexed image into a
// true-colour one, which loses nothing but the inverted pixels a true-colour
// image cannot hold, and a true-colour image into 2, 16 or 256 colours
// through the import's own conversion.

#include <cstdint>
#include <string>

#include "model/image_tab.h"
#include "platform/ui_text.h"

// Cells that show the screen inverted: the mask bit with a colour that is
// not black.
int InvertedCellCount(const ImageTab& tab);

// Fills target as the true-colour image of the indexed source: opaque cells
// take their palette colour with full alpha, masked cells (transparent and
// inverted alike) become transparent. The palette becomes the swatch table,
// the pen colour the pen's palette colour; size and hot spot are kept.
void MakeTrueColourOf(const ImageTab& source, ImageTab& target);

struct IndexedChoice {
  // 2, 16 or 256.
  int colours = 256;
  bool dither = false;
  // Pixels whose alpha is below this become transparent, the rest opaque.
  std::uint32_t alphaCut = 128;
};

// Fills target as the indexed image of the true-colour source. A source
// over the largest indexed size is scaled to fit it. When every opaque
// colour lies among the first colours of the source's swatch table and a
// black swatch among them can stand under the transparent pixels, the
// swatch table is the palette and each pixel keeps the first swatch of its
// colour, so a converted indexed image comes back with the cells it had;
// otherwise the import's quantizer chooses the palette. Gives back the
// line that tells what was lost.
std::string MakeIndexedOf(const ImageTab& source, const IndexedChoice& choice, ImageTab& target,
                          TextLookup lookup = SameText);
