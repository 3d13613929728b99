#pragma once
// How a pasted picture becomes palette indexes in a tab: the picture is
// stretched onto the selection and every pixel takes the nearest colour of a
// colour list.

#include "canvas/raster.h"
#include "model/image_tab.h"

// The selection of the tab kept inside the image, with left <= right and
// top <= bottom. Copies and pastes work on this rectangle, so a selection
// that somehow reaches past the image can never address cells outside it.
CellRect SelectionOnImage(const ImageTab& tab);

// Fills the selection-sized corner of the index picture (laid out like the
// tab's cells, column-major 64 x 64): the whole picture is stretched to the
// size of the tab's selection as ShrinkCopy stretches (pixels that fall
// together are ANDed, so dark lines on a light ground survive) and every
// pixel gets the index of the nearest of the first PaletteSize(tab) colours
// of the list, mask bit clear.
void MapPictureToPalette(const ImageTab& tab, const RasterSurface& picture, const ColorRef* colours,
                         PixelCell* indexPicture);

// Writes the selection-sized corner of the index picture into the tab's
// selection; every written cell is opaque. Cells outside the selection, the
// palette and the selection itself stay as they are.
void StorePastedPicture(ImageTab& tab, const PixelCell* indexPicture);
