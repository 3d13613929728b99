#pragma once
// A pasted picture at its own size: one cell per pixel, in the tab's palette.

#include "canvas/floating_block.h"
#include "canvas/raster.h"
#include "model/image_tab.h"

// Fills the block with the picture at its own size (the top-left 64 x 64
// pixels of a larger one), every cell opaque. With keepNumbers the picture's
// own colours are numbered as the as-it-is paste numbers them (black first,
// then in the order met); otherwise every pixel takes the nearest colour of
// the tab's palette. The block's place is left to the caller.
void MapPictureOneToOne(const ImageTab& tab, const RasterSurface& picture, bool keepNumbers, FloatingBlock& block);
