#include "fileio/size_choice.h"

#include <algorithm>
#include <cstdlib>

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
      // The nearest size wins; of two equally near, the larger, because
      // scaling down looks better than scaling up.
      const int distance = std::abs(size - requested);
      const int chosenDistance = std::abs(chosenSize - requested);
      better = distance != chosenDistance ? distance < chosenDistance : size > chosenSize;
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
