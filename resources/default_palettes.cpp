#include "resources/default_palettes.h"

namespace {

constexpr ColorRef Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

// Black, maroon, green, olive, navy, purple, teal, silver, grey, red, lime,
// yellow, blue, fuchsia, aqua, white.
constexpr ColorRef classicColors[16] = {
    Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),
    Rgb(0, 0, 128),     Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255),
};

}  // namespace

std::vector<ColorRef> DefaultPaletteColors(std::uint8_t colorCode) {
  if (colorCode == 2) return {Rgb(0, 0, 0), Rgb(255, 255, 255)};
  std::vector<ColorRef> colors(classicColors, classicColors + 16);
  if (colorCode == 16) return colors;
  // 256 colours: the 16 classic colours, a 6 x 6 x 6 colour cube and a ramp
  // of 24 greys between black and white that the cube does not have.
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) colors.push_back(Rgb(r * 51, g * 51, b * 51));
  for (int i = 0; i < 24; ++i) {
    const unsigned level = 8 + i * 10;
    colors.push_back(Rgb(level, level, level));
  }
  return colors;
}
