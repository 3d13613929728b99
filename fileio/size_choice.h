#pragma once
// Which image of an icon family the desktop takes for a size it asks for.
// The icon test sheet shows it, so that a user sees which hand-made image a
// deeper one of the same size hides.

#include <vector>

// One image of the family as far as the choice looks at it.
struct FamilyImage {
  int width = 0;
  int height = 0;
  // Bits per pixel: 1, 4 or 8 for an indexed image, 32 for a true-colour
  // one.
  int bitCount = 0;
};

// The base sizes Windows asks an icon for, and the display scalings it
// asks them at, in per cent.
inline constexpr int REQUESTED_BASE_SIZES[] = {16, 24, 32, 48, 64, 256};
inline constexpr int DISPLAY_SCALINGS[] = {100, 125, 150, 200};

// The pixel size asked for: the base size at the scaling, rounded to the
// nearest pixel (16 px at 125 % asks for 20 px).
int RequestedPixels(int baseSize, int scalingPercent);

// The index of the image taken for a request of `requested` pixels, or -1
// for an empty family. The rule: an image's size is its larger side; the
// size nearest the request is taken, and of two equally near the larger,
// because scaling down looks better than scaling up. Among images of the
// chosen size the deepest (highest bit count) wins, and among equally deep
// ones the first in the family.
int ChooseFamilyImage(const std::vector<FamilyImage>& family, int requested);
