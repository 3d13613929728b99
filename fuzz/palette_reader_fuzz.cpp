// Feeds arbitrary bytes to the palette file readers: the .qpl reader for
// each colour count, and the reader of every other palette format. A file
// a reader takes must write back to the same colours, and loading what it
// read into a tab of each colour count must either fit or be refused.

#include <cstddef>
#include <cstdint>

#include "fileio/palette_file.h"
#include "fileio/palette_formats.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ByteBuffer bytes(data, data + size);
  for (std::uint8_t code : {std::uint8_t{2}, std::uint8_t{16}, std::uint8_t{0}}) {
    ImageTab tab{};
    tab.colorCode = code;
    ColorRef colors[256];
    if (!ParsePalette(bytes, tab, colors).empty()) continue;
    for (int i = 0; i < PaletteSize(tab); ++i) tab.palette[i] = colors[i];
    ColorRef again[256];
    if (!ParsePalette(SerializePalette(tab), tab, again).empty()) __builtin_trap();
    for (int i = 0; i < PaletteSize(tab); ++i)
      if (again[i] != colors[i]) __builtin_trap();
  }
  for (PaletteFormat format : {PaletteFormat::Qpl, PaletteFormat::Gpl, PaletteFormat::Act, PaletteFormat::JascPal,
                               PaletteFormat::RiffPal, PaletteFormat::Hex}) {
    PaletteRecord record;
    if (!ReadPaletteBytes(bytes, format, record).empty()) continue;
    if (record.colors.empty() || record.colors.size() > 256) __builtin_trap();
    for (std::uint8_t code : {std::uint8_t{2}, std::uint8_t{16}, std::uint8_t{0}}) {
      ImageTab tab{};
      tab.colorCode = code;
      const PaletteFit fit = FitPaletteToTab(record, tab);
      if (fit.error.empty() && (fit.count < 1 || fit.count > PaletteSize(tab))) __builtin_trap();
    }
    if (format == PaletteFormat::Qpl) continue;
    // The colours without the fourth byte, which only .qpl keeps.
    for (ColorRef& c : record.colors) c &= 0xFFFFFF;
    PaletteRecord again;
    if (!ReadPaletteBytes(WritePaletteBytes(record, format), format, again).empty()) __builtin_trap();
    if (again.colors != record.colors) __builtin_trap();
  }
  return 0;
}
