#pragma once
// Choosing a palette for a true-colour picture: a variance-based median cut
// splits the colour space into boxes, and k-means rounds then move every
// palette colour to the mean of the colours nearest to it.

#include <cstdint>
#include <vector>

// Colours here are 0xRRGGBB (any alpha bits are ignored).
struct WeightedColour {
  std::uint32_t rgb = 0;
  std::uint32_t count = 0;
};

// The distinct colours of the list with how often each occurs, in
// ascending order of their values.
std::vector<WeightedColour> CountColours(const std::vector<std::uint32_t>& rgbPixels);

// At most `count` colours (count >= 1) that represent the weighted colours
// with a small mean squared error. When there are no more distinct colours
// than count, they come back exactly.
std::vector<std::uint32_t> QuantizeColours(const std::vector<WeightedColour>& colours, int count);

// The same with black kept as one of the count colours (count >= 1), for
// a picture whose transparent pixels need a black entry under the mask: the
// other count - 1 colours are chosen around it, and black comes last.
std::vector<std::uint32_t> QuantizeColoursWithBlack(const std::vector<WeightedColour>& colours, int count);

// The index of the palette colour nearest to the colour by the sum of
// squared channel differences; the lowest index wins a tie.
int NearestColourIndex(const std::vector<std::uint32_t>& palette, std::uint32_t rgb);

// Squared distance of two colours, summed over red, green and blue.
int ColourDistance(std::uint32_t a, std::uint32_t b);
