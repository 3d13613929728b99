#include "import/palette_import.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "fileio/palette_file.h"
#include "fileio/palette_formats.h"
#include "import/convert.h"
#include "import/quantize.h"

namespace {

std::uint32_t RgbOf(ColorRef c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

}  // namespace

PaletteMapping ConvertPictureToPalette(const RgbaPicture& picture, const std::vector<ColorRef>& palette, bool dither,
                                       ImageTab& tab) {
  const int w = std::clamp(picture.width, 1, MAX_IMAGE_SIZE);
  const int h = std::clamp(picture.height, 1, MAX_IMAGE_SIZE);
  const int count = std::clamp(static_cast<int>(palette.size()), 1, 256);
  // Windows shows the screen through a transparent pixel only where its
  // colour is black, so a palette without black needs one more entry.
  bool transparent = false;
  for (int y = 0; y < h && !transparent; ++y)
    for (int x = 0; x < w && !transparent; ++x)
      transparent = AlphaOf(picture.pixels[static_cast<std::size_t>(y) * picture.width + x]) < IMPORT_ALPHA_THRESHOLD;
  bool paletteHasBlack = false;
  for (int i = 0; i < count && i < static_cast<int>(palette.size()); ++i)
    paletteHasBlack = paletteHasBlack || (palette[i] & 0xFFFFFF) == 0;
  const bool addBlack = transparent && !paletteHasBlack && !palette.empty() && count < 256;
  const std::uint8_t code = CodeForColours(count + (addBlack ? 1 : 0));
  std::vector<std::uint32_t> rgb;
  for (int i = 0; i < count && i < static_cast<int>(palette.size()); ++i) rgb.push_back(RgbOf(palette[i]));
  if (rgb.empty()) rgb.push_back(0);

  tab.width = static_cast<std::uint8_t>(w);
  tab.height = static_cast<std::uint8_t>(h);
  tab.colorCode = code;
  std::fill(std::begin(tab.palette), std::end(tab.palette), ColorRef{0});
  for (std::size_t i = 0; i < rgb.size(); ++i) tab.palette[i] = palette.empty() ? 0 : palette[i] & 0xFFFFFFu;

  PaletteMapping mapping;
  mapping.blackAdded = addBlack && code != CodeForColours(count);
  // A transparent pixel shows the screen unchanged only where its colour is
  // black: the palette's own black, else the black of an entry it leaves.
  int transparentIndex = -1;
  for (int i = 0; i < ColorCountOfCode(code) && transparentIndex < 0; ++i)
    if ((tab.palette[i] & 0xFFFFFF) == 0) transparentIndex = i;
  if (transparentIndex < 0) transparentIndex = 0;

  const std::vector<int> dithered =
      dither ? DitheredIndexes(picture, rgb, IMPORT_DITHER_SHARE) : std::vector<int>{};
  std::fill(std::begin(tab.cells), std::end(tab.cells), FRESH_CELL);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * picture.width + x;
      const std::uint32_t p = picture.pixels[at];
      int index;
      if (AlphaOf(p) < IMPORT_ALPHA_THRESHOLD) {
        index = transparentIndex | CELL_MASK_BIT;
        ++mapping.transparentPixels;
      } else {
        index = dithered.empty() ? NearestColourIndex(rgb, p & 0xFFFFFFu) : dithered[at];
      }
      CellAt(tab, x, y) = static_cast<PixelCell>(index);
    }
  mapping.blackUnderMask = (tab.palette[transparentIndex] & 0xFFFFFF) == 0;
  return mapping;
}

std::string ReadImportPalette(const std::string& path, std::vector<ColorRef>& colors, TextLookup lookup) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    if (path == WINDOWS_PALETTE_16_NAME) {
      colors = WindowsPalette16();
      return {};
    }
    if (path == WINDOWS_PALETTE_256_NAME) {
      colors = WindowsPalette256();
      return {};
    }
  }
  const auto bytes = ReadFileBytes(path, PALETTE_FILE_LIMIT);
  if (!bytes) return lookup(PALETTE_READ_FAILED);
  PaletteRecord record;
  std::string problem = ReadPaletteBytes(*bytes, DetectPaletteFormat(*bytes, path), record, lookup);
  if (problem.empty()) colors = record.colors;
  return problem;
}
