#pragma once
// The paste with chosen transparent colours: the clipboard picture reduced to
// a few colours of its own, the colours the user marked as transparent, and
// the three ways the rest is merged into the tab.

#include <cstdint>

#include "canvas/raster.h"
#include "model/image_tab.h"

// The merge modes, named by the ids of their radio buttons.
enum TransparentPasteMode : int {
  // The picture's colours are taken into the palette, topped up with colours
  // of the image, and the image is moved to the new palette.
  MODE_TAKE_COLORS = 2060,
  // Every pasted pixel takes the nearest colour of the tab's palette.
  MODE_NEAREST_COLORS = 2061,
  // Every pasted pixel takes the picture's colour number as its index.
  MODE_TRANSPARENCY_ONLY = 2062,
};

// The flag of a colour marked transparent; 0 is not marked.
constexpr std::uint8_t TRANSPARENT_FLAG = 0xFF;

// The clipboard picture as the dialog works on it: a few colours of its own
// and, in the selection-sized corner of the index picture (column-major like
// the tab's cells), every pixel's number into them.
struct PastePicture {
  // The first PaletteSize colours are the picture's; the rest are black.
  ColorRef palette[256] = {};
  PixelCell indexPicture[CELL_COUNT] = {};
  // The selection the picture is pasted into: its top-left cell and size.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // One per palette entry, TRANSPARENT_FLAG or 0.
  std::uint8_t flags[256] = {};
};

// Reduces the picture to at most PaletteSize(tab) colours chosen on shrunk
// copies of it (of coloursFrom when given: the same picture with other
// colours where it is transparent), numbers the pixels of the picture
// stretched to the selection, and orders the colours like the tab's palette
// is organized.
void PreparePastePicture(const ImageTab& tab, const RasterSurface& picture, PastePicture& paste,
                         const RasterSurface* coloursFrom = nullptr);

// Puts the first n colours in HSV order and merges repeated colours, keeping
// the colour of every pixel of the width x height corner.
void OrderPicturePalette(ColorRef* palette, PixelCell* indexPicture, int width, int height, int n);

// A click on cell q of the colour grid among n colours: toggles q, or with
// Shift after an earlier click on another cell every cell from q towards it,
// that cell excluded. lastClicked (-1 for none) becomes q. A cell at or
// beyond n, or outside the 256, does nothing and gives back false.
bool ClickColorCell(PastePicture& paste, int n, int q, bool shift, int& lastClicked);

// The first entry of the 256 colours equal to the colour, or -1.
int FindPictureColor(const PastePicture& paste, ColorRef colour);

// Merges the picture into the tab's selection in the mode; pixels of marked
// colours leave the cells under them as they were. Pixels whose index has
// the mask bit (the picture's own transparent pixels) become transparent
// cells of a black entry, whatever their colour's mark. shownImage is the image
// as the real-size preview shows it, width x height of the tab from its
// top-left pixel; the mode that takes in colours tops its palette up from
// it.
void ApplyTransparentPaste(ImageTab& tab, int mode, const PastePicture& paste, const RasterSurface& shownImage);
