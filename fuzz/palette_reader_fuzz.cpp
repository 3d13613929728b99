// Feeds arbitrary bytes to the palette file reader for each colour count.
// A file it takes must write back to the same palette.

#include <cstddef>
#include <cstdint>

#include "fileio/palette_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteBuffer bytes(data, data + size);
  for (std::uint8_t code : {std::uint8_t{2}, std::uint8_t{16}, std::uint8_t{0}}) {
    ImageTab tab;
    tab.colorCode = code;
    ColorRef colors[256];
    if (!ParsePalette(bytes, tab, colors).empty()) continue;
    for (int i = 0; i < PaletteSize(tab); ++i) tab.palette[i] = colors[i];
    ColorRef again[256];
    if (!ParsePalette(SerializePalette(tab), tab, again).empty()) __builtin_trap();
    for (int i = 0; i < PaletteSize(tab); ++i)
      if (again[i] != colors[i]) __builtin_trap();
  }
  return 0;
}
