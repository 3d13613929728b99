#pragma once
// The clipboard's pictures and a true-colour tab: its pixels go out and come
// in with their colour and alpha exactly, with no palette between them.

#include <cstdint>

#include "canvas/floating_block.h"
#include "model/image_tab.h"
#include "platform/pixel_picture.h"

// The ARGB value of picture pixel (x, y) as a true-colour cell: fully
// transparent pixels become 0, as the store keeps them.
PixelCell TrueColourCellOfPicture(const PixelPicture& picture, int x, int y);

// The area's cells as a picture with its alpha; the alpha list is left
// empty when every pixel is opaque.
PixelPicture TrueColourPictureOf(const ImageTab& tab, const CellRect& area);

// The picture at its own size, at most the tab's largest side each way, as
// the cells of a floating block.
void TrueColourBlockOf(const ImageTab& tab, const PixelPicture& picture, FloatingBlock& block);

// Stretches or squeezes the picture onto the selection, each cell taking
// the pixel nearest its place, so that no colour arises that the picture
// did not hold.
void StretchPictureIntoSelection(ImageTab& tab, const PixelPicture& picture);
