#pragma once
// Colour reduction: choosing a few colours for a picture by shrinking it
// until the shrunk copy uses few enough of them, and applying such a choice
// to an image. The reduction dialog and the pastes share the colour search.

#include <cstdint>
#include <string>
#include <vector>

#include "canvas/raster.h"
#include "model/image_tab.h"

// Colour lists hold at most this many entries, the size of a palette.
constexpr int COLOR_TABLE_SIZE = 256;

// Copies the source rectangle (x0, y0, srcW, srcH) into the top-left
// w x h pixels of dest. Where the copy shrinks, every destination pixel is
// the bitwise AND of the source pixels that fall on it, so the shrunk
// picture holds few and dark colours; where it enlarges, a pixel repeats.
// Source points outside the source surface read as black, destination
// pixels outside dest are not written.
void ShrinkCopy(const RasterSurface& source, int x0, int y0, int srcW, int srcH, RasterSurface& dest, int w, int h);

// Lists black and then the other colours of the top-left w x h pixels of
// the picture, row by row in order of first occurrence, into table. Gives
// back false as soon as one more colour would not fit into count entries;
// the first count entries are filled then. Entries beyond the colours found
// keep what they held. count is taken within 1..COLOR_TABLE_SIZE.
bool CollectDistinctColors(const RasterSurface& picture, int w, int h, int count, ColorRef* table);

// Fills table with at most count colours, black first, that a shrunk copy
// of the source rectangle uses: the copy starts at w x h and loses a column,
// then a row, in turn until its colours fit. A count of 1 gives black
// alone; a count below 1 or an empty source rectangle leaves the table as
// it is. Entries that the last try did not reach keep what an earlier,
// failed try put there, so the table can hold a few colours of a larger
// copy too. table must hold count entries (at most COLOR_TABLE_SIZE).
void FindReducedPalette(int count, const RasterSurface& source, int x0, int y0, int srcW, int srcH, int w, int h,
                        ColorRef* table);

// What the reduction dialog keeps from its opening: the palette, the cells,
// and the picture the cells showed then, one pixel per cell in its palette
// colour whatever its mask bit.
struct ReductionSource {
  ColorRef palette[COLOR_TABLE_SIZE] = {};
  PixelCell cells[CELL_COUNT] = {};
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;

  RasterSurface Picture() const;
};

ReductionSource TakeReductionSource(const ImageTab& tab);

// Puts the palette and the cells back as they were at opening.
void RestoreReductionSource(ImageTab& tab, const ReductionSource& source);

// The most colours a reduction can leave: 256 for a 256-colour image, 16
// for the others.
int MaxReductionCount(const ImageTab& tab);

// The number of colours the dialog runs with for the text of its box: the
// text as an unsigned number (no number counts as 0), or maxCount when that
// is below 2 or above maxCount.
int ReductionCountOfText(const std::string& text, int maxCount);

// One run of the reduction from the image as it was at opening: every pixel
// moves to the nearest of the chosen colours, keeping its mask bit, the
// chosen colours become the palette (all further entries black) and the
// palette is organized.
void ReduceTabColors(ImageTab& tab, const ReductionSource& source, int count);
