#pragma once
// Importing a picture onto a palette the user gives, instead of choosing
// one: every opaque pixel takes the nearest of the palette's colours, or is
// dithered onto them, so that a set of icons shares one palette.

#include <string>
#include <vector>

#include "import/read.h"
#include "model/image_tab.h"
#include "platform/ui_text.h"

// What mapping onto the palette did with the transparent pixels.
struct PaletteMapping {
  int transparentPixels = 0;
  // False when no entry of the image is black, so the transparent pixels
  // cannot show the screen unchanged.
  bool blackUnderMask = true;
  // The palette has no black, and the black entry added after its colours
  // for the transparent pixels took a larger colour count than the
  // palette's own.
  bool blackAdded = false;
};

// Fills the tab from the picture (which must fit MAX_IMAGE_SIZE) with the
// palette's colours (1 to 256) as its first entries: 2, 16 or 256 colours,
// the smallest that holds them and, when the picture has transparent pixels
// and the palette no black, a black entry after them; the entries past them
// are black. Transparent cells point at the palette's first black entry,
// else at the first black entry past the palette's colours, else (a full
// palette without black) at entry 0.
PaletteMapping ConvertPictureToPalette(const RgbaPicture& picture, const std::vector<ColorRef>& palette, bool dither,
                                       ImageTab& tab);

// The names that stand for the Windows system palettes where a palette file
// is asked for.
inline constexpr const char* WINDOWS_PALETTE_16_NAME = "windows16";
inline constexpr const char* WINDOWS_PALETTE_256_NAME = "windows256";

// Reads the palette file (any palette format) for an import, or takes the
// Windows palette a name above stands for when no such file exists. Gives
// back an empty string, or the message naming the problem.
std::string ReadImportPalette(const std::string& path, std::vector<ColorRef>& colors, TextLookup lookup = SameText);
