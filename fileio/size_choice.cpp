#include "fileio/size_choice.h"

#include <algorithm>

int RequestedPixels(int baseSize, int scalingPercent) { return (baseSize * scalingPercent + 50) / 100; }

int ChooseFamilyImage(const std::vector<FamilyImage>& family, int requested) {
  int chosen = -1;
  int chosenSize = 0;
  int chosenDepth = 0;
  for (int i = 0; i < static_cast<int>(family.size()); ++i) {
    const int size = std::max(family[i].width, family[i].height);
    const int depth = family[i].bitCount;
    bool better = false;
    if (chosen < 0) {
      better = true;
    } else if (size != chosenSize) {
      const bool fits = size >= requested;
      const bool chosenFits = chosenSize >= requested;
      // A size that covers the request beats one that does not; among those
      // that cover it the smaller is nearer, among those that do not the
      // larger.
      if (fits != chosenFits) better = fits;
      else better = fits ? size < chosenSize : size > chosenSize;
    } else {
      better = depth > chosenDepth;
    }
    if (better) {
      chosen = i;
      chosenSize = size;
      chosenDepth = depth;
    }
  }
  return chosen;
}
