#pragma once
// How the import turns soft edges into the one-bit mask of an icon: pixels
// whose alpha is below the cut become transparent, the rest opaque; with a
// matte colour, partly transparent pixels are first blended onto it, so a
// thin anti-aliased line keeps the shade it shows on that colour.

#include <cstdint>
#include <optional>
#include <string>

#include "import/read.h"

// Alpha values below this become transparent cells, the rest opaque.
constexpr std::uint32_t IMPORT_ALPHA_THRESHOLD = 128;

struct AlphaCut {
  // 0 to 255: alpha below it is transparent (0 keeps every pixel).
  std::uint32_t cut = IMPORT_ALPHA_THRESHOLD;
  // 0xRRGGBB that partly transparent pixels are blended onto; none leaves
  // their colours as they are.
  std::optional<std::uint32_t> matte;

  bool operator==(const AlphaCut&) const = default;
};

// The picture with every pixel either fully transparent (0) or opaque
// (alpha 255): opaque where its alpha reaches the cut, its colour blended
// onto the matte by its alpha when a matte is given.
RgbaPicture ApplyAlphaCut(const RgbaPicture& picture, const AlphaCut& cut);

// "#RRGGBB" (or "RRGGBB") as 0xRRGGBB; nothing for any other text.
std::optional<std::uint32_t> ParseMatteColour(const std::string& text);
