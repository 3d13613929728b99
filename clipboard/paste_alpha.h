#pragma once
// Pasting a picture that has an alpha channel: pixels with alpha below one
// half are transparent. The cells they cover become transparent cells with
// a black palette entry under the mask, so that the screen shows through
// unchanged, in every kind of paste.

#include <cstdint>
#include <functional>

#include "clipboard/color_picture.h"
#include "model/image_tab.h"

// Alpha below this is transparent.
constexpr std::uint8_t PASTE_ALPHA_HALF = 128;

// True when some pixel of the picture is transparent.
bool HasTransparentPixels(const PixelPicture& picture);

// A copy of the picture's colours with every transparent pixel set to the
// colour: white leaves the colours of opaque pixels alone where shrinking
// ANDs neighbours together, black adds no colour to a palette search that
// lists black first anyway.
ColorPicture TransparentPixelsAs(const PixelPicture& picture, ColorRef colour);

// Sets the mask bit of every cell in the width x height corner of the index
// picture (column-major like the tab's cells) whose share of the picture,
// stretched as the paste stretches it, has a mean alpha below one half.
void MarkTransparentCells(const PixelPicture& picture, int width, int height, PixelCell* indexPicture);

// Writes the masked cells of the index picture's width x height corner to
// the tab at (left, top) as transparent cells of a black entry: the first
// black entry of the palette; else an entry no other cell of the image uses,
// made black; else, with every entry in use, the entry nearest to black.
// Gives back false when there was no masked cell.
bool StoreTransparentCells(ImageTab& tab, const PixelCell* indexPicture, int left, int top, int width, int height);

// The same for the cells of the tab that `masked` names.
bool StoreTransparentCellsWhere(ImageTab& tab, const std::function<bool(int x, int y)>& masked);
