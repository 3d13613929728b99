#pragma once
// The cursor side of the command-line import: the hot spot given as "X,Y"
// in the picture's pixels, placed on every image made, and the outputs that
// carry it (a .cur file, an X11 cursor file).

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "import/targets.h"

// "X,Y" with two numbers of 0 or more; nothing for anything else.
std::optional<std::pair<int, int>> ParseHotSpotText(const std::string& text);

// The hot spot, given in the pixels of a picture sourceWidth x sourceHeight,
// on an image of width x height whose middle holds the picture scaled to
// contentWidth x contentHeight; kept inside the image.
std::pair<int, int> ScaleHotSpot(std::pair<int, int> hotSpot, int sourceWidth, int sourceHeight, int width, int height,
                                 int contentWidth, int contentHeight);

// Puts the hot spot, given in the pixels of a picture sourceWidth x
// sourceHeight, on each made image: scaled as the picture was and moved by
// the margin that centres it, kept inside the image.
void PlaceImportHotSpots(std::vector<ImportMade>& made, std::pair<int, int> hotSpot, int sourceWidth,
                         int sourceHeight);

// The hot spot, given in the pixels of a picture sourceWidth x sourceHeight,
// on an image width x height that shows the picture fitted into it and
// centred (as the true-colour sizes show it), placed as on the images made.
std::pair<int, int> HotSpotOnFittedImage(std::pair<int, int> hotSpot, int sourceWidth, int sourceHeight, int width,
                                         int height);
